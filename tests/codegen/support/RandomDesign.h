#pragma once
// Fills an object with random valid values through its published properties (the same reflection
// the form text is written from): every settable property, nested option objects, string lists,
// pictures and collection items. Component references point at components of Root.

#include <QRandomGenerator>

class TObject;
class TComponent;

void FillRandomly(TObject& Object, TComponent& Root, QRandomGenerator& Random, int Depth = 0);
