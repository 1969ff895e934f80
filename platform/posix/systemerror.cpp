#include "platform/systemerror.h"

#include "platform/codepage.h"

#include <cstring>

namespace platform {

std::string SystemErrorText(int error) {
    return Utf8ToCp932(std::strerror(error));
}

} // namespace platform
