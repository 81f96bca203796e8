#pragma once
// A serial port named by its device path, opened for exclusive use, with a reader thread that hands
// every received byte to OnReceiveByte. Results are the program's Windows-style error codes; the
// failing system call's errno and the port are kept in LastError() for the message the user sees.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "platform/error_codes.h"

// Milliseconds of the system's monotonic clock (SystemClock()).
uint64_t NowMs();
// Sleeps on the system's clock; 0 returns at once.
void SleepMs(uint32_t ms);

class ESerialPort {
  public:
    ESerialPort();
    virtual ~ESerialPort();
    ESerialPort(const ESerialPort&) = delete;
    ESerialPort& operator=(const ESerialPort&) = delete;

    // Opens the device at `port` and sets 8 data bits, no parity, one stop bit, raw, at baudRate
    // (any rate: those without a system constant are set as arbitrary rates).
    virtual uint32_t Configure(const std::string& port, uint32_t baudRate);
    // Opens the device for exclusive use and starts the reader. A port held by someone else is
    // tried again `m_busyRetries` times, `m_busyRetryMs` apart, before 5 is returned.
    virtual uint32_t Open(const std::string& port);
    // Stops the reader and closes the device; harmless when closed.
    virtual uint32_t Close();
    // Sends every byte, or 1460 when the line takes none for m_timeoutMs.
    virtual uint32_t Write(const void* data, size_t length);
    // Called on the reader thread for each byte, in arrival order.
    virtual void OnReceiveByte(uint8_t) {}

    bool IsOpen() const { return m_fd >= 0; }
    // Bytes the driver holds that the reader has not taken yet (0 when closed).
    size_t InputQueued() const;
    // Set by the reader when the other end went away (hang-up or I/O error); cleared by Open.
    bool LineLost() const { return m_lineLost.load(); }
    // The last system failure (code, errno, port) of Open, Configure or Write.
    ErrorInfo LastError() const;

    // Raises RTS and drops DTR; failures are ignored (a pseudo-terminal has no modem lines).
    void SetModemLines();

    uint32_t m_timeoutMs = 4000;
    uint32_t m_busyRetries = 100;
    uint32_t m_busyRetryMs = 100;
    uint32_t m_settleMs = 60;  // after the line is set, before the first byte goes out
    uint32_t m_closeMs = 100;  // after the device is closed, so that a reopen finds it free
    // Every wait and time-out of the port reads this clock; set before the port is opened.
    std::atomic<IClock*> m_clock{&SystemClock()};
    IClock& Clock() const { return *m_clock.load(); }

  protected:
    uint32_t Fail(uint32_t code, int err, const std::string& what);
    // Called on the reader thread once the line is lost.
    virtual void OnLineLost() {}

  private:
    void ReaderLoop();
    void StopReader();

    int m_fd = -1;
    int m_stopFd = -1;  // eventfd: wakes the reader to stop
    std::thread m_reader;
    std::atomic<bool> m_lineLost{false};
    std::string m_portName;
    mutable std::mutex m_errorLock;
    ErrorInfo m_lastError;
};

// Sets the bit rate of an open terminal (serial_speed.cpp); returns 0 or an errno value.
int SetTerminalSpeed(int fd, uint32_t baudRate);
