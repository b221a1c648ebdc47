// The routines window: an empty window ("Form1") that carries pad, chars and useRoutines
// for scripts. Nothing in the program creates it; it says "Form_routines loaded" when it
// is loaded, before it can be shown.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

namespace Ui {
class Form_routines;
}

namespace script {

class Form_routines : public QWidget {
    Q_OBJECT

public:
    explicit Form_routines(QWidget* parent = nullptr);
    ~Form_routines() override;

    Q_INVOKABLE QString pad(const QString& txt, short padTo) const;
    Q_INVOKABLE QString chars(short Number, const QString& character) const;
    Q_INVOKABLE void useRoutines() const;

private:
    std::unique_ptr<Ui::Form_routines> ui;
};

} // namespace script
