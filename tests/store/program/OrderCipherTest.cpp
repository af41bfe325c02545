#include "store/program/OrderCipher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string FromHex(std::string_view hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    }
    return bytes;
}

OrderCipherKey KeyFromText(std::string_view text)
{
    OrderCipherKey key{};
    for (size_t i = 0; i < key.size(); ++i) {
        key[i] = static_cast<std::uint8_t>(text.at(i));
    }
    return key;
}

OrderCipherKey KeyOf(std::uint8_t first, int step)
{
    OrderCipherKey key{};
    for (size_t i = 0; i < key.size(); ++i) {
        key[i] = static_cast<std::uint8_t>(first + step * static_cast<int>(i));
    }
    return key;
}

// How the dealer reads the mail: the keystream of each byte depends on the plain bytes before it.
std::string Decipher(std::string_view cipherText, const OrderCipherKey& key)
{
    COrderCipher cipher(key);
    std::string plain;
    for (const char ch : cipherText) {
        const std::uint16_t keystream = cipher.CipherKeyRound();
        const auto byte =
            static_cast<std::uint8_t>(static_cast<std::uint8_t>(ch) ^ (keystream >> 8) ^ (keystream & 0xFF));
        cipher.MixPlainByteIntoKey(byte);
        plain += static_cast<char>(byte);
    }
    return plain;
}

struct CipherVector
{
    const char* what;
    OrderCipherKey key;
    std::string plainHex;
    std::string cipherHex;
};

} // namespace

// Worked out from the algorithm's steps by an independent script (order_cipher_vectors.py).
TEST(OrderCipher, EnciphersTheWorkedVectors)
{
    const OrderCipherKey ascii = KeyFromText("0123456789abcdef");
    const OrderCipherKey high = KeyOf(0x80, 1); // 0x80 .. 0x8F
    const std::vector<CipherVector> vectors = {
        {"empty text", ascii, "", ""},
        {"ASCII key and text", ascii, "48656c6c6f", "d61a496e0f"},
        {"zero byte in the middle of the output", ascii,
         "416e6e20536d6974682334313131203131313120313131312031313131235649534123",
         "df4d77a9e0e7ae1674fba00b7b5bc0727776591d3516278531f7be325706003f4f6064"},
        {"key bytes of 128 and above, UTF-8 text, zero first byte", high, "6a65746f6e2031e282ac",
         "003ce4c6dabcc12fa8d5"},
        {"UTF-8 letters with a high key", high, "5ac3bc7269636820c38672c3b820e282ac31322c3530",
         "300dead4a39947daaa596d9287d08e53f56b2705aeb7"},
        {"all-zero key", KeyOf(0, 0), "48656c6c6f", "2cfd117874"},
        {"all-0xFF key, zero bytes in the input", KeyOf(0xFF, 0), "0000ff", "5e7ea6"},
    };
    for (const auto& v : vectors) {
        SCOPED_TRACE(v.what);
        const std::string plain = FromHex(v.plainHex);
        const std::string expected = FromHex(v.cipherHex);
        const std::string first = EncipherText(plain, v.key);
        EXPECT_EQ(first, expected);
        EXPECT_EQ(first.size(), plain.size());
        EXPECT_EQ(EncipherText(plain, v.key), first); // the key starts afresh at every call
        EXPECT_EQ(Decipher(first, v.key), plain);
    }
}

// Pins the key the dealer holds: a change here would make every order mail unreadable.
TEST(OrderCipher, UsesTheDealersKey)
{
    const std::string plain = "Ann Smith#4111111111111111#VISA#2027#04#\r\n\r\n";
    EXPECT_EQ(EncipherText(plain), FromHex("e5a56abf567a2c05c02d3cbd2ba7401afd9e609c588b5f7d2d94d5fea1c370ef"
                                           "b4862fc2f35968c9940e4a8f"));
    EXPECT_TRUE(EncipherText("").empty());
}
