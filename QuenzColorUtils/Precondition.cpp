#include "QuenzColorUtils/Precondition.h"

#include <cstdio>
#include <cstdlib>

namespace quenz {

void preconditionFailure(std::string_view message) {
    std::fprintf(stderr, "Precondition failed: %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    std::abort();
}

}  // namespace quenz
