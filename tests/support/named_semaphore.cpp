#include "support/named_semaphore.h"

#include <fcntl.h>
#include <semaphore.h>

namespace vantor::test {

bool postNamedSemaphore(const std::string& name) {
    sem_t* semaphore = sem_open(("/" + name).c_str(), O_CREAT, 0600, 0);
    if (semaphore == SEM_FAILED) return false;
    const bool posted = sem_post(semaphore) == 0;
    sem_close(semaphore);
    return posted;
}

}  // namespace vantor::test
