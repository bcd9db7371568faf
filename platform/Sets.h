#pragma once
/// A set of enumeration values stored as a bit mask: bit N stands for the element with ordinal N. \file

#include <QtGlobal>
#include <initializer_list>

template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> elements)
    {
        for (E e : elements)
            FMask |= Bit(e);
    }
    static constexpr TSet FromMask(quint64 mask)
    {
        TSet s;
        s.FMask = mask;
        return s;
    }
    constexpr quint64 Mask() const { return FMask; }
    constexpr bool Contains(E e) const { return (FMask & Bit(e)) != 0; }
    constexpr bool IsEmpty() const { return FMask == 0; }
    constexpr TSet& Include(E e) { FMask |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { FMask &= ~Bit(e); return *this; }
    constexpr TSet operator+(TSet o) const { return FromMask(FMask | o.FMask); }
    constexpr TSet operator-(TSet o) const { return FromMask(FMask & ~o.FMask); }
    constexpr TSet operator*(TSet o) const { return FromMask(FMask & o.FMask); }
    constexpr TSet operator+(E e) const { return FromMask(FMask | Bit(e)); }
    constexpr TSet operator-(E e) const { return FromMask(FMask & ~Bit(e)); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr quint64 Bit(E e) { return quint64(1) << static_cast<int>(e); }
    quint64 FMask = 0;
};
