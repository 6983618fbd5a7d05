// Dear ImGui checks its callers with assert(), in the host's copy and in the plug-in's. A failed
// check ends the test program; this names the test that made it, so it reads as that test's
// failure rather than a bare abort.
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#if defined(__GLIBC__)

extern "C" [[noreturn]] void __assert_fail(const char* assertion, const char* file,
                                           unsigned int line, const char* function) noexcept {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "%s:%u: Failure\nDear ImGui assertion failed in %s.%s: %s (in %s)\n", file,
                 line, test != nullptr ? test->test_suite_name() : "?",
                 test != nullptr ? test->name() : "?", assertion, function);
    std::fflush(stderr);
    std::abort();
}

#endif  // __GLIBC__
