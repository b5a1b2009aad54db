// A thread with a large stack for the interpreter, through POSIX threads
// because std::thread cannot choose its stack size.
#include "support/largestack.h"

#include <exception>
#include <pthread.h>

namespace vornscript {

namespace {

struct Job {
    const std::function<int()>* work = nullptr;
    int result = 0;
    std::exception_ptr failure;
};

void* runjob(void* argument) {
    auto* job = static_cast<Job*>(argument);
    try {
        job->result = (*job->work)();
    } catch (...) {
        job->failure = std::current_exception();
    }
    return nullptr;
}

} // namespace

int runwithlargestack(const std::function<int()>& work, size_t stacksize) {
    Job job;
    job.work = &work;
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        return work();
    }
    pthread_t thread;
    const bool started = pthread_attr_setstacksize(&attributes, stacksize) == 0 &&
                         pthread_create(&thread, &attributes, runjob, &job) == 0;
    pthread_attr_destroy(&attributes);
    if (!started) {
        return work();
    }
    pthread_join(thread, nullptr);
    if (job.failure) {
        std::rethrow_exception(job.failure);
    }
    return job.result;
}

} // namespace vornscript
