// The About window, headless: its layout, texts and OK.
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

#include "panel/Aboutform.h"

namespace panel {
namespace {

struct AboutLabel {
    const char* name;
    const char* text; // nullptr: the project's own credit, any non-empty text
    QRect geometry;
    double pointSize;
};

TEST(AboutWindowTest, LabelsSitInTheFrameWithTheirTexts) {
    Aboutform about;
    EXPECT_EQ(about.windowTitle(), "About Brinmor Evaluation Software");
    EXPECT_EQ(about.size(), QSize(346, 274));
    QFrame* frame = about.findChild<QFrame*>("frame1");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(8, 8, 329, 257));
    const double body = about.font().pointSizeF();
    const AboutLabel labels[] = {
        {"Label1", "This software is an evaluation tool for the", {40, 24, 241, 17}, 9.75},
        {"Label2", "XFL2090:  Dual Programmable Filters", {40, 56, 241, 17}, 9.75},
        {"Label3", "with Variable Gain Amplifiers", {112, 80, 169, 17}, 9.75},
        {"Label4", "Software written by: ", {40, 112, 97, 17}, body},
        {"Label5", nullptr, {64, 128, 89, 17}, body},
        {"Label6", nullptr, {64, 144, 153, 17}, body},
        {"Label7", nullptr, {64, 160, 145, 17}, body},
        {"Label8", "Brinmor", {64, 176, 81, 17}, body},
        {"Label9", nullptr, {152, 176, 145, 17}, body},
    };
    for (const AboutLabel& expected : labels) {
        QLabel* label = about.findChild<QLabel*>(expected.name);
        ASSERT_NE(label, nullptr) << expected.name;
        EXPECT_EQ(label->parentWidget(), frame) << expected.name;
        EXPECT_EQ(label->geometry(), expected.geometry) << expected.name;
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), expected.pointSize) << expected.name;
        if (expected.text)
            EXPECT_EQ(label->text(), expected.text) << expected.name;
        else
            EXPECT_FALSE(label->text().isEmpty()) << expected.name;
    }
    QPushButton* ok = about.findChild<QPushButton*>("Command1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry(), QRect(96, 208, 121, 33));
}

TEST(AboutWindowTest, ControlsKeepTheirPlacesWhenResized) {
    Aboutform about;
    about.show();
    about.resize(600, 500);
    EXPECT_EQ(about.findChild<QFrame*>("frame1")->geometry(), QRect(8, 8, 329, 257));
    EXPECT_EQ(about.findChild<QPushButton*>("Command1")->geometry(), QRect(96, 208, 121, 33));
}

TEST(AboutWindowTest, OkClosesAndDeletesTheWindow) {
    QPointer<Aboutform> about = new Aboutform;
    about->show();
    about->findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(about->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
}

} // namespace
} // namespace panel
