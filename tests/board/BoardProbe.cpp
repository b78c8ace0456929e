// Runs a compiled sketch on a simulated ATmega2560 at 16 MHz and prints the
// frames it scans out onto the matrix, equal neighbours merged:
//   board-probe SKETCH.elf FRAMES
//   board-probe --board FLASH_OUT FRAMES
// The second form is a virtual Arduino Mega 2560: its stk500v2 bootloader
// listens on a pseudo-terminal for avrdude, and the frames are those of the
// sketch uploaded there; the application flash is then written raw to FLASH_OUT.
// Output, one item a line:
//   pty PATH              (--board only, first) the serial port to upload to
//   period MICROSECONDS lit MICROSECONDS
//                         mean time from one finished frame to the next, and
//                         mean time a column stays lit, from its low byte to
//                         the next write of PORTA
//   stack BYTES           (ELF only) the deepest the stack reached
//   run COUNT WORD0 ... WORD63   (hexadecimal column words)
// Exit status 1 when the sketch does not scan frames as expected or, with
// --board, none is uploaded within 60 s.

#include <avr_ioport.h>
#include <avr_uart.h>
#include <sim_avr.h>
#include <sim_elf.h>
#include <sim_hex.h>
#include <sim_irq.h>
// Unlike the core headers, this one has no C++ guards.
extern "C" {
#include <parts/uart_pty.h>
}

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t kClock = 16000000;
constexpr int kColumns = 64;
// Startup and the data copy take far less; a frame takes under 10 ms.
constexpr avr_cycle_count_t kFrameTimeout = kClock / 10;
constexpr std::uint8_t kUntouched = 0xA5;
constexpr int kSramStart = 0x200;

// BOOTRST set, 4096-word boot section: where the Mega's bootloader lives.
constexpr avr_flashaddr_t kBootStart = 0x3E000;
constexpr const char *kBootloader =
    "/usr/share/arduino/hardware/arduino/avr/bootloaders/stk500v2/stk500boot_v2_mega2560.hex";
// How often the bootloader's clock is held back to the wall clock: 1 ms.
constexpr avr_cycle_count_t kPaceCycles = kClock / 1000;
constexpr auto kUploadTimeout = std::chrono::seconds(60);

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
    avr_cycle_count_t litSince = 0;
    avr_cycle_count_t litCycles = 0;
    long litColumns = 0;
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
        if (expect != Expect::Low) {
            // The write that blanks the column ends its lit time.
            if (litSince != 0) {
                litCycles += avr->cycle - litSince;
                ++litColumns;
                litSince = 0;
            }
            return;
        }
        litSince = avr->cycle;
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

avr_t *makeMega()
{
    avr_t *avr = avr_make_mcu_by_name("atmega2560");
    if (!avr) {
        std::fprintf(stderr, "no atmega2560 in simavr\n");
        return nullptr;
    }
    avr_init(avr);
    avr->sleep = noSleep;
    return avr;
}

// Scans from the current cycle on, until `wanted` frames or a fault.
void scanFrames(avr_t *avr, Scanner &scanner, long wanted)
{
    scanner.avr = avr;
    watchPort(avr, 'C', onWrite<&Scanner::portC>, scanner);
    watchPort(avr, 'B', onWrite<&Scanner::portB>, scanner);
    watchPort(avr, 'A', onWrite<&Scanner::portA>, scanner);

    avr_cycle_count_t lastProgress = avr->cycle;
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
}

void printPeriod(const Scanner &scanner)
{
    const double periods = double(scanner.frames - 1);
    std::printf("period %.3f lit %.3f\n",
                periods > 0
                    ? double(scanner.lastFrameEnd - scanner.firstFrameEnd) / periods * 1e6 / kClock
                    : 0.0,
                scanner.litColumns > 0
                    ? double(scanner.litCycles) / double(scanner.litColumns) * 1e6 / kClock
                    : 0.0);
}

void printRuns(const Scanner &scanner)
{
    for (const Run &run : scanner.runs) {
        std::printf("run %ld", run.count);
        for (std::uint16_t word : run.frame)
            std::printf(" %x", word);
        std::printf("\n");
    }
}

// Bytes below the top of SRAM written since the fill, down to the end of the
// sketch's variables: the deepest the stack went.
int stackDepth(const avr_t *avr, const elf_firmware_t &firmware)
{
    int address = kSramStart + int(firmware.datasize + firmware.bsssize);
    while (address <= avr->ramend && avr->data[address] == kUntouched)
        ++address;
    return avr->ramend + 1 - address;
}

int runElf(const char *path, long wanted)
{
    elf_firmware_t firmware{};
    if (elf_read_firmware(path, &firmware) != 0) {
        std::fprintf(stderr, "%s: cannot read\n", path);
        return 1;
    }
    avr_t *avr = makeMega();
    if (!avr)
        return 1;
    avr_load_firmware(avr, &firmware);
    avr->frequency = kClock;
    std::memset(avr->data + kSramStart, kUntouched, avr->ramend + 1 - kSramStart);

    Scanner scanner;
    scanFrames(avr, scanner, wanted);
    if (scanner.fault) {
        std::fprintf(stderr, "%s: %s after %ld frames\n", path, scanner.fault, scanner.frames);
        return 1;
    }
    printPeriod(scanner);
    std::printf("stack %d\n", stackDepth(avr, firmware));
    printRuns(scanner);
    return 0;
}

// simavr's parts print their chatter on stdout, which is ours, and its hex
// reader calls the bootloader file's start-address record unsupported.
template <typename Action> void quietly(std::FILE *stream, Action action)
{
    const int fd = fileno(stream);
    std::fflush(stream);
    const int saved = dup(fd);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, fd);
    close(null);
    action();
    std::fflush(stream);
    dup2(saved, fd);
    close(saved);
}

// UART0 on a pseudo-terminal, for as long as this lives.
class SerialPort
{
public:
    explicit SerialPort(avr_t *avr)
    {
        quietly(stdout, [&] { uart_pty_init(avr, &pty_); });
        if (!isOpen())
            return;
        quietly(stdout, [&] { uart_pty_connect(&pty_, '0'); });

        // Otherwise every poll of the status register sleeps, and the
        // bootloader does nothing but poll.
        std::uint32_t flags = 0;
        avr_ioctl(avr, AVR_IOCTL_UART_GET_FLAGS('0'), &flags);
        flags &= ~AVR_UART_FLAG_POLL_SLEEP;
        avr_ioctl(avr, AVR_IOCTL_UART_SET_FLAGS('0'), &flags);
    }
    // Not uart_pty_stop: it closes the pty under its thread, which can read
    // the closed descriptor, stop watching it and spin forever; and the SIGINT
    // meant to end the thread ends the whole process unless caught. The
    // thread's select is a cancellation point.
    ~SerialPort()
    {
        if (!isOpen())
            return;
        pthread_cancel(pty_.thread);
        pthread_join(pty_.thread, nullptr);
        close(pty_.pty.s);
    }
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;

    bool isOpen() const { return pty_.pty.s != 0; }
    const char *path() const { return pty_.pty.slavename; }

private:
    uart_pty_t pty_;
};

bool loadBootloader(avr_t *avr)
{
    ihex_chunk_p chunks = nullptr;
    int count = 0;
    quietly(stderr, [&] { count = read_ihex_chunks(kBootloader, &chunks); });
    if (count <= 0) {
        std::fprintf(stderr, "%s: cannot read\n", kBootloader);
        return false;
    }
    for (int i = 0; i < count; ++i)
        avr_loadcode(avr, chunks[i].data, chunks[i].size, chunks[i].baseaddr);
    free_ihex_chunks(chunks);
    return true;
}

// Erased flash runs through to the bootloader, as on the chip; a sketch runs
// once the application section holds one.
bool sketchRunning(const avr_t *avr)
{
    return avr->pc < kBootStart && (avr->flash[0] != 0xFF || avr->flash[1] != 0xFF);
}

// The bootloader's timeouts are counted in cycles, and simavr outruns the
// clock while avrdude talks in real time: until the sketch runs, the simulated
// clock is held back to the wall clock.
const char *runBootloader(avr_t *avr)
{
    const auto start = std::chrono::steady_clock::now();
    avr_cycle_count_t nextPace = avr->cycle + kPaceCycles;
    while (!sketchRunning(avr)) {
        const int state = avr_run(avr);
        if (state == cpu_Done || state == cpu_Crashed)
            return "the bootloader stopped";
        if (avr->cycle < nextPace)
            continue;
        nextPace += kPaceCycles;
        const auto wall = std::chrono::steady_clock::now() - start;
        if (wall > kUploadTimeout)
            return "no sketch started in 60 s";
        const auto simulated = std::chrono::microseconds(avr->cycle / (kClock / 1000000));
        if (simulated > wall)
            std::this_thread::sleep_for(simulated - wall);
    }
    return nullptr;
}

bool writeFlash(const avr_t *avr, const char *path)
{
    std::FILE *file = std::fopen(path, "wb");
    if (!file) {
        std::fprintf(stderr, "%s: cannot write\n", path);
        return false;
    }
    const bool written = std::fwrite(avr->flash, 1, kBootStart, file) == kBootStart;
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "%s: cannot write\n", path);
        return false;
    }
    return true;
}

int runBoard(const char *flashOut, long wanted)
{
    avr_t *avr = makeMega();
    if (!avr)
        return 1;
    avr->frequency = kClock;
    std::memset(avr->flash, 0xFF, avr->flashend + 1);
    if (!loadBootloader(avr))
        return 1;
    avr->reset_pc = kBootStart;
    avr->pc = kBootStart;

    SerialPort serial(avr);
    if (!serial.isOpen())
        return 1;
    std::printf("pty %s\n", serial.path());
    std::fflush(stdout);

    if (const char *fault = runBootloader(avr)) {
        std::fprintf(stderr, "board: %s\n", fault);
        return 1;
    }
    Scanner scanner;
    scanFrames(avr, scanner, wanted);
    if (scanner.fault) {
        std::fprintf(stderr, "board: %s after %ld frames\n", scanner.fault, scanner.frames);
        return 1;
    }
    if (!writeFlash(avr, flashOut))
        return 1;
    printPeriod(scanner);
    printRuns(scanner);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool board = argc == 4 && std::strcmp(argv[1], "--board") == 0;
    if (argc != 3 && !board) {
        std::fprintf(stderr, "usage: %s SKETCH.elf FRAMES\n       %s --board FLASH_OUT FRAMES\n",
                     argv[0], argv[0]);
        return 2;
    }
    const long wanted = std::strtol(argv[argc - 1], nullptr, 10);

    avr_global_logger_set(logToStderr);
    return board ? runBoard(argv[2], wanted) : runElf(argv[1], wanted);
}
