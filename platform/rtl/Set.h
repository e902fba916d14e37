// Set<E>: the class library's "set of" an enumeration (or of char), as a bit set over the
// ordinal values 0..255 with the set operators + (union), * (intersection) and - (difference).
#pragma once

#include <bitset>
#include <cstddef>
#include <initializer_list>

template <typename E>
class Set {
public:
    Set() = default;
    Set(std::initializer_list<E> items)
    {
        for (E item : items)
            Include(item);
    }

    bool Contains(E item) const { return FBits.test(Ordinal(item)); }
    Set& Include(E item)
    {
        FBits.set(Ordinal(item));
        return *this;
    }
    Set& Exclude(E item)
    {
        FBits.reset(Ordinal(item));
        return *this;
    }
    Set& operator<<(E item) { return Include(item); }
    Set& operator>>(E item) { return Exclude(item); }
    bool Empty() const { return FBits.none(); }
    void Clear() { FBits.reset(); }

    Set& operator+=(const Set& other)
    {
        FBits |= other.FBits;
        return *this;
    }
    Set& operator*=(const Set& other)
    {
        FBits &= other.FBits;
        return *this;
    }
    Set& operator-=(const Set& other)
    {
        FBits &= ~other.FBits;
        return *this;
    }
    friend Set operator+(Set a, const Set& b) { return a += b; }
    friend Set operator*(Set a, const Set& b) { return a *= b; }
    friend Set operator-(Set a, const Set& b) { return a -= b; }
    friend bool operator==(const Set& a, const Set& b) { return a.FBits == b.FBits; }
    // a <= b: every member of a is in b.
    friend bool operator<=(const Set& a, const Set& b) { return (a.FBits & ~b.FBits).none(); }

private:
    static std::size_t Ordinal(E item) { return static_cast<unsigned char>(item); }
    std::bitset<256> FBits;
};
