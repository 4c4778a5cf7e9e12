// The one record of the exceptions being handled that Install.exe links in
// place of libstdc++'s per-thread one (platform/win32/exception_globals.cpp).
// Linked into this program, it takes the place of the shared library's for
// the whole process; the run time's handling of nested, rethrown and
// in-flight exceptions reads and writes it.
#include <gtest/gtest.h>

#include <cxxabi.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

std::string whatOf(const std::exception_ptr& p) {
    try {
        std::rethrow_exception(p);
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

// Records how many exceptions are in flight when it is destroyed.
struct Witness {
    int& seen;
    ~Witness() { seen = std::uncaught_exceptions(); }
};

}  // namespace

TEST(ExceptionGlobals, OneRecordForTheProcessTakesTheLibrarysPlace) {
    // The library's record is per thread: the same address from another
    // thread shows that this program's definition is the one in use.
    __cxxabiv1::__cxa_eh_globals* here = __cxxabiv1::__cxa_get_globals();
    __cxxabiv1::__cxa_eh_globals* there = nullptr;
    std::thread([&] { there = __cxxabiv1::__cxa_get_globals(); }).join();
    EXPECT_EQ(here, there);
    EXPECT_EQ(here, __cxxabiv1::__cxa_get_globals_fast());
}

TEST(ExceptionGlobals, NestedHandlersRethrowTheRightException) {
    std::string outer, inner, rethrown, after;
    std::exception_ptr saved;
    try {
        try {
            throw std::runtime_error("first");
        } catch (const std::exception& first) {
            try {
                throw std::runtime_error("second");
            } catch (const std::exception& second) {
                inner = second.what();
                EXPECT_EQ(whatOf(std::current_exception()), "second");
            }
            // Back in the first handler: its exception is the current one again.
            outer = whatOf(std::current_exception());
            saved = std::current_exception();
            throw;
        }
    } catch (const std::exception& e) {
        rethrown = e.what();
    }
    EXPECT_EQ(inner, "second");
    EXPECT_EQ(outer, "first");
    EXPECT_EQ(rethrown, "first");
    // Nothing is being handled now, and a saved exception outlives its handlers.
    EXPECT_FALSE(std::current_exception());
    after = whatOf(saved);
    EXPECT_EQ(after, "first");
}

TEST(ExceptionGlobals, ExceptionsInFlightAreCountedWhileUnwinding) {
    int duringUnwinding = -1, inOwnHandler = -1;
    try {
        Witness w{duringUnwinding};
        throw std::runtime_error("out");
    } catch (const std::exception&) {
        // A clean-up that throws and catches its own exception while another
        // one unwinds sees both, and the count is back to none once caught.
        try {
            Witness inner{inOwnHandler};
            throw std::runtime_error("inner");
        } catch (const std::exception&) {
        }
        EXPECT_EQ(std::uncaught_exceptions(), 0);
    }
    EXPECT_EQ(duringUnwinding, 1);
    EXPECT_EQ(inOwnHandler, 1);
    EXPECT_EQ(std::uncaught_exceptions(), 0);
}
