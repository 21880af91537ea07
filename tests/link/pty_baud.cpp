// The speed set on a device, read with the kernel's termios2 (which knows
// rates such as 28800 that have no B constant). Kept apart: its header
// clashes with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace linktest {

unsigned outputBaudRate(int fd) {
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0) return 0;
    return t.c_ospeed;
}

} // namespace linktest
