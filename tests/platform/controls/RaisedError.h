#pragma once
// The error number a call raises, or 0 when it returns normally.
#include "platform/runtime/RuntimeError.h"

namespace controls_test {

template <typename Call> int raisedError(Call call) {
    try {
        call();
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

} // namespace controls_test
