#pragma once
/// The system's stock icons (warning, question, error, information, shield), addressed by their
/// resource numbers and drawn from our own artwork at any size. \file

#include <QImage>

#include <memory>

class TIcon;

constexpr int StockIconWarning = 101;
constexpr int StockIconQuestion = 102;
constexpr int StockIconError = 103;
constexpr int StockIconInformation = 104;
constexpr int StockIconShield = 106;

/// True for the five numbers above.
bool IsStockIcon(int ResourceId);

/// The icon as a Size x Size premultiplied ARGB image; a null image for an unknown number or a
/// size below 1. Safe to call from any thread.
QImage LoadStockIcon(int ResourceId, int Size);

/// The same picture as an icon graphic; an empty icon when there is no such stock icon.
std::unique_ptr<TIcon> CreateStockIcon(int ResourceId, int Size);
