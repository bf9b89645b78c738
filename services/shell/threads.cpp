#include "services/shell/handle.h"
#include "services/shell/shell.h"

namespace shell {

bool StartThread(LPTHREAD_START_ROUTINE routine, void* parameter, HANDLE* handleOut) {
    DWORD threadId;
    UniqueKernelHandle thread(CreateThread(nullptr, 0, routine, parameter, 0, &threadId));
    const bool started = static_cast<bool>(thread);
    if (handleOut != nullptr) *handleOut = thread.release();
    return started;
}

}  // namespace shell
