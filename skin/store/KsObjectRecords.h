#pragma once

#include "framework/Streams.h"
#include "skin/store/KsObjectNotation.h"

class TComponent;
class TSeSkinObject;

// An object record of the skin content: the class name and the object's description in the textual
// object notation, both as int32-counted strings. The children travel inside the description as the
// binary property "Objects": an int32 child count, then one object record per child.

// Reads one record and creates the object with owner (the caller owns an object without owner).
// A class that is not registered gives none; its record is still consumed, so the stream stays in
// step. Every font of the new tree gets character set 1 (the platform's default), whatever was stored.
// Raises ENotationError for a property the class does not have, a malformed value or an invalid or
// duplicate sibling name, and ESkinDataError for data cut short; nothing half-read is left behind.
TSeSkinObject* ReadObjectRecord(TStream& stream, TComponent* owner);

void WriteObjectRecord(TStream& stream, TSeSkinObject& object);

// The notation of one object: every published property in declaration order, then "Objects".
TNotationObject ObjectToNotation(TSeSkinObject& object);
// Applies a parsed description to object: its name, every listed property and its children.
void NotationToObject(TNotationObject notation, TSeSkinObject& object);
