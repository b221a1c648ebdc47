// Judging a command-line write by its read-back.
#include "panel/write_outcome.h"

#include <ostream>

#include "panel/frequency_rules.h"

namespace panel {

WriteOutcome writeOutcome(const WriteReport& report) {
    if (!report.transferred)
        return WriteOutcome::PortUnavailable;
    if (report.faulted || report.readBack.faulted || !report.readBack.transferred)
        return WriteOutcome::PortFault;
    if (!validCode(report.readBack.answer))
        return WriteOutcome::ReadBackOutOfRange;
    if (report.readBack.answer != report.written)
        return WriteOutcome::ReadBackDiffers;
    return WriteOutcome::Written;
}

int reportWriteOutcome(WriteOutcome outcome, const WriteReport& report, std::ostream& err) {
    switch (outcome) {
    case WriteOutcome::Written:
        break;
    case WriteOutcome::PortUnavailable:
        err << "fltamp: parallel port not available; code " << report.written << " not written\n";
        break;
    case WriteOutcome::ReadBackDiffers:
        err << "fltamp: wrote code " << report.written << " but the chip reads back code "
            << report.readBack.answer << "\n";
        break;
    case WriteOutcome::ReadBackOutOfRange:
        err << "fltamp: wrote code " << report.written << " but the chip reads back code "
            << report.readBack.answer << ", out of range 0..29\n";
        break;
    case WriteOutcome::PortFault:
        err << "fltamp: the parallel port failed while writing code " << report.written << "\n";
        break;
    }
    return static_cast<int>(outcome);
}

} // namespace panel
