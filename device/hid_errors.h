// Which platform error codes make a failed feature transfer worth another try.
#pragma once

namespace kestrova {

bool IsRetryableError(int errorCode);

}  // namespace kestrova
