// The About window: names the evaluated chip, the software's team and its maker.
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class Aboutform;
}

namespace panel {

class Aboutform : public QWidget {
    Q_OBJECT

public:
    // A window of its own that is deleted when closed, so the next "About" builds it afresh.
    explicit Aboutform(QWidget* parent = nullptr);
    ~Aboutform() override;

private:
    std::unique_ptr<Ui::Aboutform> ui;
};

} // namespace panel
