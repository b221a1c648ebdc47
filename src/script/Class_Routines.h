// The routines class: pad, chars and useRoutines for scripts, and one program-wide
// instance, created on its first use, that the script console greets the operator with.
#pragma once

#include <QObject>
#include <QString>

namespace script {

class Class_Routines : public QObject {
    Q_OBJECT

public:
    // Says "Class_Routines Initialized" before the creator goes on.
    Class_Routines();

    Q_INVOKABLE QString pad(const QString& txt, short padTo) const;
    Q_INVOKABLE QString chars(short Number, const QString& character) const;
    Q_INVOKABLE void useRoutines() const;
};

// The program-wide instance, created on first use and kept for the rest of the run.
Class_Routines& routinesInstance();
// Drops the instance, so that the next use creates it again (tests start each case here).
void forgetRoutinesInstance();

} // namespace script
