#include "hid_errors.h"

#include <cerrno>

namespace kestrova {

namespace {

// Linux error codes of hidraw feature-report ioctls, sorted by what they say about
// the device. Retryable ones are transient faults of a device that is still there;
// every other code (among them ENODEV/ENXIO/ENOENT for an unplugged device, EACCES and
// EPERM for a refused open, EBADF for a closed handle, ESHUTDOWN for a controller
// that went away, ETIMEDOUT after the kernel already waited 5 s) ends the transfer.
//
// | code    | counterpart            | why it is retried                               |
// |---------|------------------------|-------------------------------------------------|
// | EAGAIN  | not ready              | the device asked to be asked again              |
// | EBUSY   | not ready              | another transfer holds the endpoint             |
// | EPROTO  | CRC / protocol error   | a corrupted or babbled control transfer         |
// | EILSEQ  | CRC error              | CRC or bit-stuffing error on the wire           |
// | EIO     | write fault            | the transfer failed without a more exact reason |
// | EINVAL  | invalid parameter      | a request the firmware rejected in this moment  |
// | EPIPE   | function failed        | the firmware stalled the control request        |
constexpr int retryableErrors[] = {EAGAIN, EBUSY, EPROTO, EILSEQ, EIO, EINVAL, EPIPE};

}  // namespace

bool IsRetryableError(int errorCode) {
    for (int code : retryableErrors) {
        if (code == errorCode) {
            return true;
        }
    }
    return false;
}

}  // namespace kestrova
