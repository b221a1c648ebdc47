// The routines window's load message and its routines.
#include "script/Form_routines.h"

#include "platform/dialogs.h"
#include "script/Routines.h"
#include "ui_Form_routines.h"

namespace script {

Form_routines::Form_routines(QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form_routines>()) {
    ui->setupUi(this);
    platform::messageBox({"Form_routines loaded"});
}

Form_routines::~Form_routines() = default;

QString Form_routines::pad(const QString& txt, short padTo) const {
    return routines::pad(txt, padTo);
}

QString Form_routines::chars(short Number, const QString& character) const {
    return routines::chars(Number, character);
}

void Form_routines::useRoutines() const {
    routines::useRoutines();
}

} // namespace script
