#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/instancelock.h"

namespace {

TEST(InstanceLock, SecondHolderIsRefusedUntilTheFirstEnds) {
    auto first = std::make_unique<platform::InstanceLock>("KorvetTestMutex");
    ASSERT_TRUE(first->acquire(100));

    // Another process cannot take it while we hold it.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::InstanceLock second("KorvetTestMutex");
        _exit(second.acquire(100) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);

    first.reset();
    platform::InstanceLock again("KorvetTestMutex");
    EXPECT_TRUE(again.acquire(100));
}

TEST(InstanceLock, LockOfAKilledProcessDoesNotBlock) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::InstanceLock held("KorvetTestMutex2");
        held.acquire(100);
        pause();  // killed below while holding the lock
        _exit(0);
    }
    usleep(100 * 1000);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    platform::InstanceLock next("KorvetTestMutex2");
    EXPECT_TRUE(next.acquire(100));
}

}  // namespace
