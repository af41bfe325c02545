#include "store/program/OrderCipher.h"

#include <utility>

namespace {

// The dealer holds the same key. It is put together character by character when it is needed, so the
// program file holds it nowhere as one readable text.
OrderCipherKey ProgramKey()
{
    OrderCipherKey key{};
    key[0] = 'V';
    key[1] = 'm';
    key[2] = '4';
    key[3] = '#';
    key[4] = 'p';
    key[5] = 'R';
    key[6] = 'z';
    key[7] = '8';
    key[8] = '!';
    key[9] = 'c';
    key[10] = 'K';
    key[11] = 'w';
    key[12] = '2';
    key[13] = '@';
    key[14] = 'L';
    key[15] = 't';
    return key;
}

inline std::uint16_t Word(unsigned value)
{
    return static_cast<std::uint16_t>(value & 0xFFFFu);
}

} // namespace

COrderCipher::COrderCipher(const OrderCipherKey& key) : m_key(key)
{
    ResetCipherState();
}

void COrderCipher::ResetCipherState()
{
    m_subkeys.fill(0);
    m_accumulator = 0;
    m_index = 0;
    m_running = 0;
    m_result = 0;
    m_keystream = 0;
}

void COrderCipher::CipherMixWord()
{
    const unsigned i = m_index;
    std::uint16_t d = Word(m_accumulator + i);
    std::uint16_t a = m_subkeys[i];
    std::uint16_t c = 0x015A;
    const std::uint16_t b = 0x4E35;

    std::swap(a, m_running);
    std::swap(a, d);
    if (a != 0) {
        a = Word(unsigned{a} * b);
    }
    std::swap(a, c);
    if (a != 0) {
        a = Word(unsigned{a} * m_running);
        c = Word(unsigned{a} + c);
    }
    std::swap(a, m_running);
    a = Word(unsigned{a} * b);
    d = Word(unsigned{c} + d);
    a = Word(unsigned{a} + 1);

    m_accumulator = d;
    m_subkeys[i] = a;
    m_result = a ^ d;
    m_index = Word(i + 1);
}

std::uint16_t COrderCipher::CipherKeyRound()
{
    m_subkeys[0] = Word(unsigned{m_key[0]} * 256 + m_key[1]);
    CipherMixWord();
    m_keystream = m_result;
    for (unsigned k = 1; k < 8; ++k) {
        m_subkeys[k] = Word((unsigned{m_key[2 * k]} * 256 + m_key[2 * k + 1]) ^ m_subkeys[k - 1]);
        CipherMixWord();
        m_keystream ^= m_result;
    }
    m_index = 0;
    return m_keystream;
}

void COrderCipher::MixPlainByteIntoKey(std::uint8_t plainByte)
{
    for (auto& keyByte : m_key) {
        keyByte ^= plainByte;
    }
}

std::string EncipherText(std::string_view plainText, const OrderCipherKey& key)
{
    COrderCipher cipher(key);
    std::string out;
    out.reserve(plainText.size());
    for (const char ch : plainText) {
        const auto plain = static_cast<std::uint8_t>(ch);
        const std::uint16_t keystream = cipher.CipherKeyRound();
        cipher.MixPlainByteIntoKey(plain);
        out += static_cast<char>(plain ^ (keystream >> 8) ^ (keystream & 0xFF));
    }
    return out;
}

std::string EncipherText(std::string_view plainText)
{
    return EncipherText(plainText, ProgramKey());
}
