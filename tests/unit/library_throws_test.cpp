// The throw helpers that Install.exe links in place of libstdc++'s
// (platform/win32/library_throws.cpp). The file is plain C++: linked into
// this program, its definitions take the place of the shared library's for
// the calls the standard headers make here.
#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The message of what f throws, which must be a std::exception and none of
// std::logic_error's family: that family is what the helpers keep out.
template <class F>
std::string messageOf(F f) {
    try {
        f();
    } catch (const std::logic_error&) {
        ADD_FAILURE() << "the library's own helper threw";
    } catch (const std::exception& e) {
        return e.what();
    }
    ADD_FAILURE() << "nothing thrown";
    return {};
}

TEST(LibraryThrows, OutOfRangeMessagesCarryTheirNumbers) {
    const std::string three = "abc";
    EXPECT_EQ(messageOf([&] { (void)three.substr(5); }),
              "basic_string::substr: __pos (which is 5) > this->size() (which is 3)");
    EXPECT_EQ(messageOf([&] { (void)three.at(3); }),
              "basic_string::at: __n (which is 3) >= this->size() (which is 3)");
    const std::string empty;
    EXPECT_EQ(messageOf([&] { (void)empty.at(0); }),
              "basic_string::at: __n (which is 0) >= this->size() (which is 0)")
        << "a zero is written as 0, not left out";
    EXPECT_EQ(messageOf([] { std::__throw_out_of_range_fmt("%zu%% of %s", std::size_t{4294967295u}, "it"); }),
              "4294967295% of it");
}

TEST(LibraryThrows, LengthAndLogicErrorsKeepTheLibrarysText) {
    std::vector<int> v;
    EXPECT_EQ(messageOf([&] { v.reserve(v.max_size() + 1); }), "vector::reserve");
    EXPECT_EQ(messageOf([] { std::string s(static_cast<const char*>(nullptr)); }),
              "basic_string: construction from null is not valid");
}

TEST(LibraryThrows, ALongMessageIsCutNotOverrun) {
    const std::string longText(1000, 'x');
    const std::string message =
        messageOf([&] { std::__throw_out_of_range_fmt("at %s (which is %zu)", longText.c_str(), std::size_t{7}); });
    EXPECT_EQ(message, "at " + std::string(252, 'x'));
    EXPECT_EQ(messageOf([&] { std::__throw_length_error(longText.c_str()); }), std::string(255, 'x'));
}

TEST(LibraryThrows, AllocationFailuresAreTheStandardTypes) {
    std::allocator<int> ints;
    EXPECT_THROW((void)ints.allocate(std::numeric_limits<std::size_t>::max()), std::bad_array_new_length);
    EXPECT_THROW(std::__throw_bad_alloc(), std::bad_alloc);
}

}  // namespace
