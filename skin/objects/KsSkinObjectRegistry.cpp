#include "skin/objects/KsSkinObjectRegistry.h"

#include "skin/objects/KsSkinObjects2.h"

#include <vector>

namespace {

struct TRegisteredClass {
    std::wstring Name;
    TSeSkinObjectFactory Create;
};

template <typename T>
TRegisteredClass Entry(const wchar_t* name)
{
    return {name, [](TComponent* owner) -> TSeSkinObject* { return new T(owner); }};
}

std::vector<TRegisteredClass>& Registry()
{
    static std::vector<TRegisteredClass> registry = {
        Entry<TSeSkinObject>(L"TSeSkinObject"),
        Entry<TSeActiveObject>(L"TSeActiveObject"),
        Entry<TSeBitmapObject>(L"TSeBitmapObject"),
        Entry<TSeActiveBitmap>(L"TSeActiveBitmap"),
        Entry<TSeSystemButton>(L"TSeSystemButton"),
        Entry<TSeButtonObject>(L"TSeButtonObject"),
        Entry<TSeTextObject>(L"TSeTextObject"),
        Entry<TSeLinkSkinObject>(L"TSeLinkSkinObject"),
        Entry<TSeBitmapSkinObject>(L"TSeBitmapSkinObject"),
        Entry<TSeFormBitmapSkinObject>(L"TSeFormBitmapSkinObject"),
        Entry<TSeSysButtonSkinObject>(L"TSeSysButtonSkinObject"),
        Entry<TSeActiveSkinObject>(L"TSeActiveSkinObject"),
        Entry<TSeColorButtonObject>(L"TSeColorButtonObject"),
        Entry<TSeBitmapBoxObject>(L"TSeBitmapBoxObject"),
        Entry<TSeActiveBitmapBoxObject>(L"TSeActiveBitmapBoxObject"),
        Entry<TSeButtonBitmapBoxObject>(L"TSeButtonBitmapBoxObject"),
        Entry<TSeRollPanelObject>(L"TSeRollPanelObject"),
    };
    return registry;
}

const TRegisteredClass* FindClass(std::wstring_view className)
{
    for (const TRegisteredClass& c : Registry())
        if (c.Name == className) return &c;
    return nullptr;
}

} // namespace

void RegisterSkinObjectClass(std::wstring_view className, TSeSkinObjectFactory factory)
{
    Registry().push_back({std::wstring(className), std::move(factory)});
}

bool IsSkinObjectClassRegistered(std::wstring_view className) { return FindClass(className) != nullptr; }

TSeSkinObject* CreateSkinObject(std::wstring_view className, TComponent* owner)
{
    const TRegisteredClass* c = FindClass(className);
    return c ? c->Create(owner) : nullptr;
}
