#include "dfu/cancel_token.h"

namespace DFU {

namespace {
thread_local const CancelToken* current_token = nullptr;
}

CancelScope::CancelScope(const CancelToken* token) : previous_(current_token)
{
    current_token = token;
}

CancelScope::~CancelScope()
{
    current_token = previous_;
}

const CancelToken* CancelScope::current()
{
    return current_token;
}

}  // namespace DFU
