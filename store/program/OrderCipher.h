#pragma once
// The cipher that hides an order's personal and payment data before the order is mailed to the dealer:
// a stream cipher with a 128-bit key whose keystream depends on every byte enciphered before, so the
// dealer deciphers with the same key, byte by byte from the start.
//
// It works on bytes. The order text is UTF-8, and its bytes are enciphered as they stand (no conversion
// to another character set), so every letter the user typed reaches the dealer. The output may hold any
// byte, zero included: its length is the size of the returned string, never the position of a zero.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using OrderCipherKey = std::array<std::uint8_t, 16>;

// The working state of one encipherment: the key (which every plain byte changes), eight subkey words
// and the running words of the mixing step. Every word is 16 bits and all arithmetic wraps modulo 2^16.
class COrderCipher
{
public:
    // Starts with cleared working words.
    explicit COrderCipher(const OrderCipherKey& key);

    // The keystream word for the next byte, computed from the current key.
    std::uint16_t CipherKeyRound();
    // Mixes a plain byte into the key, so the keystream of the following bytes depends on it.
    void MixPlainByteIntoKey(std::uint8_t plainByte);
    // Clears the running words and the subkeys (the key stays).
    void ResetCipherState();

private:
    void CipherMixWord();

    OrderCipherKey m_key;
    std::array<std::uint16_t, 8> m_subkeys;
    std::uint16_t m_accumulator;
    std::uint16_t m_index;
    std::uint16_t m_running;
    std::uint16_t m_result;
    std::uint16_t m_keystream;
};

// Enciphers the order text with the program's own key (the one the dealer holds): one output byte for
// each input byte, zero bytes included.
std::string EncipherText(std::string_view plainText);

// The same with a given key.
std::string EncipherText(std::string_view plainText, const OrderCipherKey& key);
