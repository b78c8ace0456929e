// Runs a compiled sketch on a simulated ATmega2560 at 16 MHz and prints the
// frames it scans out onto the matrix, equal neighbours merged:
//   board-probe SKETCH.elf FRAMES
// Output, one item a line:
//   period MICROSECONDS   mean time from one finished frame to the next
//   stack BYTES           the deepest the stack reached
//   run COUNT WORD0 ... WORD63   (hexadecimal column words)
// Exit status 1 when the sketch does not scan frames as expected.

#include <avr_ioport.h>
#include <sim_avr.h>
#include <sim_elf.h>
#include <sim_irq.h>

#include <array>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t kClock = 16000000;
constexpr int kColumns = 64;
// Startup and the data copy take far less; a frame takes under 10 ms.
constexpr avr_cycle_count_t kFrameTimeout = kClock / 10;
constexpr std::uint8_t kUntouched = 0xA5;
constexpr int kSramStart = 0x200;

using Frame = std::array<std::uint16_t, kColumns>;

struct Run
{
    Frame frame;
    long count;
};

// Follows the port writes: PORTC selects a column, then PORTB and PORTA give
// its high and low byte. Later writes until the next PORTC only blank it.
struct Scanner
{
    enum class Expect { Column, High, Low };

    Expect expect = Expect::Column;
    int column = -1;
    int nextColumn = 0;
    std::uint16_t high = 0;
    Frame frame{};
    std::vector<Run> runs;
    long frames = 0;
    avr_cycle_count_t firstFrameEnd = 0;
    avr_cycle_count_t lastFrameEnd = 0;
    const char *fault = nullptr;
    avr_t *avr = nullptr;

    void portC(std::uint8_t value)
    {
        if (value != nextColumn) {
            fault = "columns out of order";
            return;
        }
        column = value;
        expect = Expect::High;
    }
    void portB(std::uint8_t value)
    {
        if (expect == Expect::High) {
            high = value;
            expect = Expect::Low;
        }
    }
    void portA(std::uint8_t value)
    {
        if (expect != Expect::Low)
            return;
        frame[column] = std::uint16_t(high << 8 | value);
        expect = Expect::Column;
        nextColumn = (column + 1) % kColumns;
        if (column == kColumns - 1)
            finishFrame();
    }
    void finishFrame()
    {
        if (!runs.empty() && runs.back().frame == frame)
            ++runs.back().count;
        else
            runs.push_back({frame, 1});
        if (frames == 0)
            firstFrameEnd = avr->cycle;
        lastFrameEnd = avr->cycle;
        ++frames;
    }
};

template <void (Scanner::*Port)(std::uint8_t)>
void onWrite(avr_irq_t *, std::uint32_t value, void *param)
{
    (static_cast<Scanner *>(param)->*Port)(std::uint8_t(value));
}

void watchPort(avr_t *avr, char port, avr_irq_notify_t notify, Scanner &scanner)
{
    avr_irq_t *irq = avr_io_getirq(avr, AVR_IOCTL_IOPORT_GETIRQ(port), IOPORT_IRQ_REG_PORT);
    // Equal values written again are still writes the scan is made of.
    irq->flags &= ~IRQ_FLAG_FILTERED;
    avr_irq_register_notify(irq, notify, &scanner);
}

// Stdout carries the frames; simavr's messages go to stderr, its chatter nowhere.
void logToStderr(avr_t *, int level, const char *format, va_list arguments)
{
    if (level <= LOG_WARNING)
        std::vfprintf(stderr, format, arguments);
}

// The sketch busy-waits; never let the simulator sleep in real time.
void noSleep(avr_t *, avr_cycle_count_t) {}

// Bytes below the top of SRAM written since the fill, down to the end of the
// sketch's variables: the deepest the stack went.
int stackDepth(const avr_t *avr, const elf_firmware_t &firmware)
{
    int address = kSramStart + int(firmware.datasize + firmware.bsssize);
    while (address <= avr->ramend && avr->data[address] == kUntouched)
        ++address;
    return avr->ramend + 1 - address;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SKETCH.elf FRAMES\n", argv[0]);
        return 2;
    }
    const long wanted = std::strtol(argv[2], nullptr, 10);

    avr_global_logger_set(logToStderr);
    elf_firmware_t firmware{};
    if (elf_read_firmware(argv[1], &firmware) != 0) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    avr_t *avr = avr_make_mcu_by_name("atmega2560");
    if (!avr) {
        std::fprintf(stderr, "no atmega2560 in simavr\n");
        return 1;
    }
    avr_init(avr);
    avr_load_firmware(avr, &firmware);
    avr->frequency = kClock;
    avr->sleep = noSleep;
    std::memset(avr->data + kSramStart, kUntouched, avr->ramend + 1 - kSramStart);

    Scanner scanner;
    scanner.avr = avr;
    watchPort(avr, 'C', onWrite<&Scanner::portC>, scanner);
    watchPort(avr, 'B', onWrite<&Scanner::portB>, scanner);
    watchPort(avr, 'A', onWrite<&Scanner::portA>, scanner);

    avr_cycle_count_t lastProgress = 0;
    long framesSeen = 0;
    while (scanner.frames < wanted && !scanner.fault) {
        const int state = avr_run(avr);
        if (state == cpu_Done || state == cpu_Crashed) {
            scanner.fault = "the program stopped";
            break;
        }
        if (scanner.frames != framesSeen) {
            framesSeen = scanner.frames;
            lastProgress = avr->cycle;
        } else if (avr->cycle - lastProgress > kFrameTimeout) {
            scanner.fault = "no frame finished in 100 ms";
        }
    }
    if (scanner.fault) {
        std::fprintf(stderr, "%s: %s after %ld frames\n", argv[1], scanner.fault, scanner.frames);
        return 1;
    }

    const double periods = double(scanner.frames - 1);
    std::printf("period %.3f\n",
                periods > 0
                    ? double(scanner.lastFrameEnd - scanner.firstFrameEnd) / periods * 1e6 / kClock
                    : 0.0);
    std::printf("stack %d\n", stackDepth(avr, firmware));
    for (const Run &run : scanner.runs) {
        std::printf("run %ld", run.count);
        for (std::uint16_t word : run.frame)
            std::printf(" %x", word);
        std::printf("\n");
    }
    return 0;
}
