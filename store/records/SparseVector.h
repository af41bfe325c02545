#pragma once
// A vector that costs one pointer while it is empty: for the values only some records have (pictures,
// exact amounts), so that a list of 100,000 records does not carry two empty vectors in each.

#include <memory>
#include <utility>
#include <vector>

template <typename T>
class SparseVector
{
public:
    SparseVector() = default;
    SparseVector(const SparseVector& other)
        : m_items(other.m_items && !other.m_items->empty() ? std::make_unique<std::vector<T>>(*other.m_items)
                                                           : nullptr)
    {
    }
    SparseVector& operator=(const SparseVector& other)
    {
        if (this != &other) {
            SparseVector copy(other);
            m_items = std::move(copy.m_items);
        }
        return *this;
    }
    SparseVector(SparseVector&&) noexcept = default;
    SparseVector& operator=(SparseVector&&) noexcept = default;

    template <typename... Args>
    T& emplace_back(Args&&... args)
    {
        if (!m_items) {
            m_items = std::make_unique<std::vector<T>>();
        }
        return m_items->emplace_back(std::forward<Args>(args)...);
    }
    void clear() { m_items.reset(); }
    bool empty() const { return !m_items || m_items->empty(); }

    T* begin() { return m_items ? m_items->data() : nullptr; }
    T* end() { return m_items ? m_items->data() + m_items->size() : nullptr; }
    const T* begin() const { return m_items ? m_items->data() : nullptr; }
    const T* end() const { return m_items ? m_items->data() + m_items->size() : nullptr; }

private:
    std::unique_ptr<std::vector<T>> m_items;
};
