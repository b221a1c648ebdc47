// The operator window: shows the chip's cutoff and the selected one, and carries the
// Write, Read and test actions, the settings files, the OS report and the About window.
// Its load handler runs the start-up before the window is first shown.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "panel/write_outcome.h"
#include "platform/dialogs.h"

namespace Ui {
class Main;
}

class QLineEdit;

namespace panel {

class Aboutform;

class Main : public QMainWindow {
    Q_OBJECT

public:
    explicit Main(QWidget* parent = nullptr);
    ~Main() override;

    // The load handler: port setup, then the command-line write (which ends the program),
    // else the start-up read and the first display of both frequencies.
    void load(std::string_view argumentText);

    // The device actions, also run by keys, the command line and scripts.
    WriteReport writeAction();
    ReadReport readAction();
    void testAction();

    // The routines scripts call on the window (through the console's MForm).
    Q_INVOKABLE QString pad(const QString& txt, short padTo) const;
    Q_INVOKABLE QString chars(short Number, const QString& character) const;
    Q_INVOKABLE void useRoutines() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void placeClientArea();
    void startUpRead();
    void showMissingPort();
    void showCurrentCode();

    // Reactions of the frequency controls.
    void textNewFreqChanged();
    void keyReaction(int characterCode);
    void leaveReaction();
    void selectedBarChanged(int mhz);
    void currentBarChanged();

    // Busy indicator convention: "Processing" painted before the transfer blocks.
    void setBusy();
    void setIdle();
    void repaintChangesNow();
    void showPhase(std::string_view phase);
    void takeClockDelay();

    std::optional<std::string> chooseSettingsFile(platform::FileDialogKind kind);
    void openSettings();
    void saveSettings();
    void showOsReport();
    void showAbout();

    std::unique_ptr<Ui::Main> ui;
    QPointer<Aboutform> about_;

    // The one file dialog both settings actions share: it remembers the last file chosen
    // and the folder a save started in.
    struct FileDialogMemory {
        std::string fileName;
        std::string initialFolder;
    } commonDialog1_;
};

} // namespace panel
