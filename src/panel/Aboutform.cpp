// The About window: its form, and OK closing it.
#include "panel/Aboutform.h"

#include "panel/panel_font.h"
#include "panel/panel_resources.h"
#include "ui_Aboutform.h"

namespace panel {

Aboutform::Aboutform(QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Aboutform>()) {
    loadPanelResources();
    ui->setupUi(this);
    usePanelFont(*this);
    for (QWidget* heading : {ui->Label1, ui->Label2, ui->Label3})
        useHeadingFont(*heading);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui->Command1, &QPushButton::clicked, this, &QWidget::close);
}

Aboutform::~Aboutform() = default;

} // namespace panel
