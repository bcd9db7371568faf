#pragma once
// Walks an object's published properties with the form text's rules (stored rule, read-only,
// default per kind, handlers of the root, nested persistent objects, collections, defined
// properties) and lists the property paths that would be written.

#include "TypInfo.h"

#include <QStringList>

QStringList WrittenPaths(const TObject& Object, const TObject& Root, const QString& Prefix = {});
