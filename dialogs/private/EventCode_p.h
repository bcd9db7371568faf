#pragma once
// Run-time code for events that form text names only by handler.

#include <QString>
#include <QStringList>

#include <any>

class TObject;

// Sets the code of Object's published event Property, keeping the handler's name: Code must hold
// the event's exact std::function type. False (and nothing changed) otherwise.
bool SetEventCode(TObject& Object, const QString& Property, const std::any& Code);

// The published events SetEventCode knows of Object's class.
QStringList CodeEvents(const TObject& Object);
