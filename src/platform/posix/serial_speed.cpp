// Arbitrary bit rates need the kernel's termios2 (BOTHER), whose header cannot share a file with
// <termios.h>; the line's other settings are made by serial_port.cpp before this runs.
#include <asm/termbits.h>
#include <errno.h>
#include <sys/ioctl.h>

#include <cstdint>

int SetTerminalSpeed(int fd, uint32_t baudRate) {
    struct termios2 tio;
    if (ioctl(fd, TCGETS2, &tio) != 0) {
        return errno;
    }
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_ispeed = baudRate;
    tio.c_ospeed = baudRate;
    tio.c_cflag &= ~(CBAUD << IBSHIFT);
    tio.c_cflag |= BOTHER << IBSHIFT;
    if (ioctl(fd, TCSETS2, &tio) != 0) {
        return errno;
    }
    return 0;
}
