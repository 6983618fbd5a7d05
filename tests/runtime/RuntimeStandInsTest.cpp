// The runtime stand-ins of the Visual C++ ABI build, at the places where a fault would not show
// in the plug-in's own tests until a rare day: signed and unsigned extremes, ties, threads racing
// for a static, allocations that fail, a library's end.
#include <gtest/gtest.h>

#include <windows.h>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <typeinfo>
#include <vector>

namespace {

template <class T>
void expectAlgorithmsOn(std::vector<T> values) {
    // Plain loops, the reference the library's helpers must agree with.
    const auto least = [&] {
        std::size_t at = 0;
        for (std::size_t i = 1; i < values.size(); ++i) {
            at = values[i] < values[at] ? i : at;
        }
        return at;
    }();
    const auto firstGreatest = [&] {
        std::size_t at = 0;
        for (std::size_t i = 1; i < values.size(); ++i) {
            at = values[at] < values[i] ? i : at;
        }
        return at;
    }();
    const auto lastGreatest = [&] {
        std::size_t at = 0;
        for (std::size_t i = 1; i < values.size(); ++i) {
            at = values[i] < values[at] ? at : i;
        }
        return at;
    }();
    const T* const begin = values.data();
    const T* const end = begin + values.size();
    EXPECT_EQ(std::min_element(begin, end) - begin, static_cast<std::ptrdiff_t>(least));
    EXPECT_EQ(std::max_element(begin, end) - begin, static_cast<std::ptrdiff_t>(firstGreatest));
    const auto both = std::minmax_element(begin, end);
    EXPECT_EQ(both.first - begin, static_cast<std::ptrdiff_t>(least));
    EXPECT_EQ(both.second - begin, static_cast<std::ptrdiff_t>(lastGreatest));
    EXPECT_EQ(std::find(begin, end, values[firstGreatest]) - begin,
              static_cast<std::ptrdiff_t>(firstGreatest));
    EXPECT_EQ(std::find(begin, end, static_cast<T>(42)), end);
    EXPECT_EQ(std::count(begin, end, values[least]),
              static_cast<std::ptrdiff_t>(std::count_if(values.begin(), values.end(),
                                                        [&](T v) { return v == values[least]; })));
    std::vector<T> reversed(values.rbegin(), values.rend());
    std::vector<T> copied(values.size());
    std::reverse_copy(begin, end, copied.begin());
    EXPECT_EQ(copied, reversed);
    std::reverse(values.begin(), values.end());
    EXPECT_EQ(values, reversed);
}

}  // namespace

TEST(RuntimeAlgorithms, AgreeWithPlainLoopsForEveryWidthSignedAndUnsigned) {
    expectAlgorithmsOn<std::int8_t>({3, -128, 127, -128, 5, 127, 0});
    expectAlgorithmsOn<std::uint8_t>({3, 255, 0, 255, 0, 7});
    expectAlgorithmsOn<std::int16_t>({-1, 32767, -32768, 32767, -32768});
    expectAlgorithmsOn<std::uint16_t>({65535, 1, 65535, 0, 0});
    expectAlgorithmsOn<std::int32_t>({-5, 2147483647, -2147483647 - 1, 9, 2147483647});
    expectAlgorithmsOn<std::uint32_t>({4294967295U, 0U, 4294967295U, 0U});
    expectAlgorithmsOn<std::int64_t>({INT64_MIN, 4, INT64_MAX, INT64_MIN, INT64_MAX});
    expectAlgorithmsOn<std::uint64_t>({UINT64_MAX, 0, 5, UINT64_MAX, 0});
    expectAlgorithmsOn<std::int32_t>({7});
}

namespace {
std::atomic<int> madeCount{0};
std::atomic<int> attempts{0};

int madeSlowly() {
    static const int value = [] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return ++madeCount;
    }();
    return value;
}

int madeAfterAFailure() {
    static const int value = [] {
        if (++attempts == 1) {
            throw std::runtime_error("the first attempt fails");
        }
        return attempts.load();
    }();
    return value;
}

thread_local int perThread = 1;
}  // namespace

TEST(RuntimeStatics, ThreadsRacingForAStaticSeeItMadeOnceAndEachKeepsItsOwnThreadLocals) {
    std::vector<std::thread> threads;
    std::array<int, 8> seen{};
    std::array<int, 8> own{};
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&, i] {
            seen[i] = madeSlowly();
            perThread += static_cast<int>(i);
            own[i] = perThread;
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(madeCount.load(), 1);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i], 1);
        EXPECT_EQ(own[i], 1 + static_cast<int>(i));
    }
    EXPECT_EQ(perThread, 1) << "the main thread's copy is its own";
}

TEST(RuntimeStatics, AStaticWhoseMakingThrewIsMadeAgainOnTheNextCall) {
    EXPECT_THROW(madeAfterAFailure(), std::runtime_error);
    EXPECT_EQ(madeAfterAFailure(), 2);
    EXPECT_EQ(madeAfterAFailure(), 2);
}

TEST(RuntimeAllocation, FailuresThrowOrGiveNullAndAlignmentIsKept) {
    const std::size_t tooMuch = std::size_t{1} << 62;
    EXPECT_THROW(::operator delete(::operator new(tooMuch)), std::bad_alloc);
    void* const plain = ::operator new(tooMuch, std::nothrow);
    EXPECT_EQ(plain, nullptr);
    ::operator delete(plain);
    void* const aligned = ::operator new[](tooMuch, std::align_val_t{64}, std::nothrow);
    EXPECT_EQ(aligned, nullptr);
    ::operator delete[](aligned, std::align_val_t{64});
    struct alignas(128) Wide {
        char bytes[128];
    };
    auto* wide = new Wide[3];
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(wide) % 128, 0U);
    delete[] wide;
    void* empty = ::operator new(0);
    EXPECT_NE(empty, nullptr) << "a zero-byte allocation is still a distinct object";
    ::operator delete(empty);
}

namespace runtime_types {
struct Base {
    virtual ~Base() = default;
};
class Derived : public Base {};
}  // namespace runtime_types

namespace {

// Deep enough to need a stack probe for each of its pages.
int deepFrame(int seed) {
    volatile char frame[64 * 1024];
    for (std::size_t i = 0; i < sizeof frame; i += 4096) {
        frame[i] = static_cast<char>(seed);
    }
    return frame[sizeof frame - 4096] + frame[0];
}
}  // namespace

TEST(RuntimeTypes, NamesCastsAndLargeFramesWork) {
    using runtime_types::Base;
    using runtime_types::Derived;
    const Base* object = new Derived;
    EXPECT_STREQ(typeid(*object).name(), "class runtime_types::Derived");
    EXPECT_STREQ(typeid(*object).name(), typeid(Derived).name()) << "made once, then kept";
    EXPECT_NE(dynamic_cast<const Derived*>(object), nullptr);
    EXPECT_TRUE(typeid(*object) == typeid(Derived));
    delete object;
    EXPECT_EQ(deepFrame(3), 6);
    std::function<void()> empty;
    EXPECT_THROW(empty(), std::bad_function_call);
    std::thread none;
    EXPECT_THROW(none.join(), std::system_error);
}

TEST(RuntimeErrors, SystemMessagesAreWindowsTextWithoutTheLineEnd) {
    const std::string message = std::system_category().message(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(message.empty());
    EXPECT_NE(message.back(), '\n');
    EXPECT_NE(message.back(), '\r');
    EXPECT_NE(message.back(), ' ');
}

TEST(RuntimeFiles, AFolderIsMadeListedAndRemovedWithWhatItHolds) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("sundown-runtime-" + std::to_string(GetCurrentProcessId()));
    ASSERT_TRUE(fs::create_directory(folder));
    EXPECT_FALSE(fs::create_directory(folder)) << "made already";
    fs::create_directory(folder / "inner");
    std::ofstream(folder / "inner" / "file.txt") << "twelve bytes";
    std::ofstream(folder / "other.txt") << "x";
    EXPECT_EQ(fs::file_size(folder / "inner" / "file.txt"), 12U);
    EXPECT_TRUE(fs::is_directory(folder / "inner"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
    EXPECT_EQ(fs::absolute(folder / "inner" / ".." / "other.txt").filename(), "other.txt");
    std::error_code missing;
    EXPECT_EQ(fs::status(folder / "none", missing).type(), fs::file_type::not_found);
    EXPECT_EQ(fs::remove_all(folder), 4U);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_FALSE(fs::remove(folder)) << "nothing left to remove is no error";
}

TEST(RuntimeLibraryEnd, AnUnloadedLibraryRunsItsExitFunctionsLastMadeFirst) {
    int slots[3] = {};
    HMODULE library = LoadLibraryA(SUNDOWN_EXIT_WATCHER_PATH);
    ASSERT_NE(library, nullptr);
    const auto watch = reinterpret_cast<void (*)(int*)>(GetProcAddress(library, "watch"));
    const auto madeOnce = reinterpret_cast<int (*)()>(GetProcAddress(library, "madeOnce"));
    ASSERT_NE(watch, nullptr);
    ASSERT_NE(madeOnce, nullptr);
    watch(slots);
    EXPECT_EQ(madeOnce(), 1);
    EXPECT_EQ(madeOnce(), 2);
    EXPECT_EQ(slots[0], 0) << "nothing ends while the library is loaded";
    ASSERT_TRUE(FreeLibrary(library));
    // Registered in turn: the static object at load, the atexit function, the function static.
    // They end in the reverse order, while the library's code is still there to run them.
    EXPECT_EQ(slots[2], 1) << "the function static, made last, ends first";
    EXPECT_EQ(slots[1], 2) << "then the atexit function";
    EXPECT_EQ(slots[0], 3) << "the static object made at load ends last";
}
