#include <gtest/gtest.h>

#include <algorithm>
#include <type_traits>

#include "core/Account.h"
#include "core/Secret.h"

namespace {

static_assert(!std::is_copy_constructible_v<Secret> && !std::is_copy_assignable_v<Secret>, "one owner");
static_assert(!std::is_copy_constructible_v<Account> && !std::is_copy_assignable_v<Account>, "one owner");

TEST(Secret, StartsEmptyAndWipesAllOfItsStorage) {
    Secret secret(4);
    EXPECT_EQ(secret.size(), 0u);
    EXPECT_TRUE(std::all_of(secret.c_str(), secret.c_str() + 4, [](char16_t c) { return c == u'\0'; }));
    std::fill_n(secret.data(), 4, u'x');  // no terminator: the size stops at the capacity
    EXPECT_EQ(secret.size(), 4u);
    secret.data()[2] = u'\0';
    EXPECT_EQ(secret.size(), 2u) << "up to the first terminator";
    secret.Wipe();
    EXPECT_TRUE(std::all_of(secret.c_str(), secret.c_str() + 4, [](char16_t c) { return c == u'\0'; }))
        << "past the terminator too";
}

TEST(Account, HoldsAsLongAPasswordAsTheCredentialDialogTakes) {
    EXPECT_EQ(Account().password.capacity(), 257u);
}

}  // namespace
