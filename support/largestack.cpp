// Runs work with a large native stack (see largestack.h): on the main thread
// after raising its soft stack limit, or else on a POSIX thread, because
// std::thread cannot choose its stack size.
#include "support/largestack.h"

#include <exception>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

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

int runonnewthread(const std::function<int()>& work, size_t stacksize) {
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

// Whether the main thread's stack may now grow to [stacksize]: the soft
// limit is raised when it is lower and the hard limit allows it.
bool mainstackcangrowto(size_t stacksize) {
    rlimit limit{};
    if (getrlimit(RLIMIT_STACK, &limit) != 0) {
        return false;
    }
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= stacksize) {
        return true;
    }
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < stacksize) {
        return false;
    }
    limit.rlim_cur = stacksize;
    return setrlimit(RLIMIT_STACK, &limit) == 0;
}

} // namespace

int runwithlargestack(const std::function<int()>& work, size_t stacksize) {
    const bool onmainthread = gettid() == getpid();
    if (onmainthread && mainstackcangrowto(stacksize)) {
        return work();
    }
    return runonnewthread(work, stacksize);
}

} // namespace vornscript
