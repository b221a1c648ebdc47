// Every label of every window, rendered headless in the fonts the package brings along:
// its text, wrapped where the label wraps, must fit inside the label's fixed box. A
// caption cut off at a box's edge is what the operator would see.
#include <QFontInfo>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "panel/Aboutform.h"
#include "panel/Main.h"
#include "panel_test_support.h"
#include "script/Scriptform.h"

namespace app::test {
namespace {

// fonts-liberation, a dependency of the package.
constexpr const char* panelFamily = "Liberation Sans";

class WindowTextsTest : public panel::test::PanelFixture {
protected:
    // Renders the window as the operator sees it, then measures each of its labels.
    void expectEveryLabelFits(QWidget& window) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.grab();
        const QList<QLabel*> labels = window.findChildren<QLabel*>();
        ASSERT_FALSE(labels.isEmpty()) << window.objectName().toStdString();
        for (const QLabel* label : labels) {
            if (label->text().isEmpty())
                continue; // a picture
            const std::string name =
                window.objectName().toStdString() + "." + label->objectName().toStdString();
            EXPECT_EQ(QFontInfo(label->font()).family(), panelFamily) << name;
            const QRect box = label->contentsRect();
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect text = label->fontMetrics().boundingRect(box, flags, label->text());
            EXPECT_TRUE(box.contains(text))
                << name << ": \"" << label->text().toStdString() << "\" needs " << text.width()
                << " x " << text.height() << " at " << text.x() << "," << text.y()
                << ", its box is " << box.width() << " x " << box.height() << " ("
                << label->font().pointSizeF() << " points)";
        }
    }
};

TEST_F(WindowTextsTest, TheMainWindowsLabelsFit) {
    installBoard(11);
    panel::Main window;
    window.load("");
    expectEveryLabelFits(window);
}

TEST_F(WindowTextsTest, TheAboutWindowsLabelsFit) {
    panel::Aboutform about;
    expectEveryLabelFits(about);
}

TEST_F(WindowTextsTest, TheConsolesLabelsFit) {
    installBoard(11);
    panel::Main window;
    window.load("");
    script::Scriptform console(window);
    console.load(script::Scriptform::Greeting::Left);
    expectEveryLabelFits(console);
}

} // namespace
} // namespace app::test
