#pragma once

#include "skin/objects/KsSkinObjects.h"

#include <functional>
#include <string_view>

// The class registry: every skin object class by its exact (case-sensitive) name, in registration
// order. It starts with the library's own classes; RegisterSkinObjectClass appends.
using TSeSkinObjectFactory = std::function<TSeSkinObject*(TComponent* owner)>;
void RegisterSkinObjectClass(std::wstring_view className, TSeSkinObjectFactory factory);
bool IsSkinObjectClassRegistered(std::wstring_view className);
// A new object of the named class owned by owner (the caller owns one without owner), or none when
// the class is not registered.
TSeSkinObject* CreateSkinObject(std::wstring_view className, TComponent* owner);
