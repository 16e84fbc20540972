#include "runtime/CGUILock.h"
#include "runtime/CGUILockGuard.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

TEST(CGUILock, IsRecursiveForTheHoldingThread)
{
    CGUILock lock;
    int depth = 0;
    {
        CGUILockGuard outer(lock);
        ++depth;
        {
            CGUILockGuard inner(lock);
            ++depth;
        }
    }
    EXPECT_EQ(depth, 2);

    // Both levels were released: another thread can take the lock now.
    bool taken = false;
    std::thread other([&] {
        CGUILockGuard guard(lock);
        taken = true;
    });
    other.join();
    EXPECT_TRUE(taken);
}

TEST(CGUILock, ExcludesOtherThreads)
{
    CGUILock lock;
    // A read-modify-write with a pause in between loses updates unless the
    // lock keeps the threads apart.
    int counter = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                CGUILockGuard guard(lock);
                const int read = counter;
                if (i % 16 == 0) {
                    Sleep(0);
                }
                counter = read + 1;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(counter, 800);
}
