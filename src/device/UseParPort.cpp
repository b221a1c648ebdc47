// Serial transfers to the XFL2090. Every transfer is built from three clock cycles:
// latch-high (framing), data (one bit written) and read (one bit from status bit 4).
// The data line takes its bit with the clock's fall and holds it through the rise,
// where the chip samples it.
#include "device/UseParPort.h"

#include <string>

#include "platform/parllio/parllio.h"

namespace device {
namespace {

PhaseDisplay& phaseDisplay() {
    static PhaseDisplay installed;
    return installed;
}

WaitFunction& waitFunction() {
    static WaitFunction installed;
    return installed;
}

void showPhase(std::string_view phase) {
    if (phaseDisplay())
        phaseDisplay()(phase);
}

void wait(Long count) {
    if (waitFunction())
        waitFunction()(count);
    else
        waitLoop(count);
}

void out(std::uint8_t lines) {
    parllio::OutByte(portAddress, lines);
}

Integer readAnswerBit() {
    const std::uint8_t status = parllio::InByte(static_cast<std::int32_t>(portAddress) + 1);
    return (status & wire::answerLine) / wire::answerLine;
}

constexpr std::uint8_t latchLow = 0x00;

void latchHighCycle(Long d) {
    out(wire::latchLine);
    wait(d);
    out(wire::latchLine | wire::clockLine);
    wait(d);
}

void dataCycle(Integer bit, Long d) {
    const std::uint8_t data = bit ? wire::dataLine : latchLow;
    out(data);
    wait(d);
    out(data | wire::clockLine);
    wait(d);
}

// The chip drives its answer on the clock's rise, so the status is read right after it.
Integer readCycle(Long d) {
    out(latchLow);
    wait(d);
    out(wire::clockLine);
    const Integer bit = readAnswerBit();
    wait(d);
    return bit;
}

std::string numbered(const char* phase, int index) {
    return phase + std::to_string(index);
}

// Step 1 of every read: empty buffers, and one status read whose value nobody uses.
void prepareRead() {
    codeBits.fill(0);
    buildSerialWord(codeBits, 0);
    readAnswerBit();
    out(wire::restLevel);
}

void readFiveBits(Long d) {
    for (int k = 0; k < wire::codeBitCount; ++k) {
        showPhase(numbered("Read ", k));
        bitBuffer[k] = readCycle(d);
    }
}

void settleAndRest(Long d) {
    showPhase("Settle");
    latchHighCycle(d);
    out(wire::restLevel);
}

} // namespace

void codeToBits(Integer code) {
    codeBits.fill(0);
    int rest = code;
    for (int i = wire::codeBitCount - 1; i >= 0; --i) {
        const Integer bit = rest - (1 << i) >= 0 ? 1 : 0;
        codeBits[wire::codeBitCount - 1 - i] = bit;
        rest -= bit << i;
    }
}

void buildSerialWord(const std::array<Integer, wire::codeBitCount>& bits, Integer rwFlag) {
    // Copied first: the caller may pass codeBits itself, and the word must not alias it.
    const std::array<Integer, wire::codeBitCount> code = bits;
    bitBuffer.fill(0);
    bitBuffer[0] = rwFlag;
    for (int i = wire::firstCodeBit; i < wire::sentBits; ++i)
        bitBuffer[i] = code[wire::sentBits - 1 - i];
}

Long bitsToCode() {
    Long code = 0;
    for (int i = 0; i < wire::codeBitCount; ++i)
        code += bitBuffer[i] << i;
    return code;
}

std::int64_t waitLoop(Long count) {
    std::int64_t pass = 0;
    for (; pass <= count; ++pass)
        // Tells the compiler the counter is used, so the loop survives any optimisation.
        asm volatile("" : "+r"(pass));
    return pass;
}

void setPhaseDisplay(PhaseDisplay display) {
    phaseDisplay() = std::move(display);
}

void setWaitFunction(WaitFunction function) {
    waitFunction() = std::move(function);
}

void writeFreqCode(const Integer& code, Long d) {
    codeToBits(code);
    buildSerialWord(codeBits, wire::writeFlag);
    out(wire::restLevel);
    showPhase("Setup");
    latchHighCycle(d);
    for (int k = 0; k < wire::sentBits; ++k) {
        showPhase(numbered("Data ", k));
        dataCycle(bitBuffer[k], d);
    }
    settleAndRest(d);
}

void readBackCode(Long d) {
    prepareRead();
    showPhase("R Setup");
    latchHighCycle(d);
    readFiveBits(d);
    settleAndRest(d);
    currentCode = static_cast<Integer>(bitsToCode());
}

void readFreqCode(Long d, Long r) {
    prepareRead();
    showPhase("R Setup");
    latchHighCycle(d);
    // The read flag: r parts the clock's fall (latch still high) from the latch's fall.
    showPhase("SDAT 0 (R)");
    out(wire::latchLine);
    wait(r);
    out(latchLow);
    wait(d);
    out(wire::clockLine);
    wait(d);
    readFiveBits(d);
    settleAndRest(d);
    currentCode = static_cast<Integer>(bitsToCode());
}

void readFreqCodeAtLoad() {
    prepareRead();
    out(wire::latchLine);
    out(wire::latchLine | wire::clockLine);
    out(latchLow);
    out(wire::clockLine);
    for (int k = 0; k < wire::codeBitCount; ++k) {
        out(latchLow);
        out(wire::clockLine);
        bitBuffer[k] = readAnswerBit();
    }
    out(wire::latchLine);
    out(wire::latchLine | wire::clockLine);
    out(wire::restLevel);
    currentCode = static_cast<Integer>(bitsToCode());
}

} // namespace device
