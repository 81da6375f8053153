#include "skinwin/KsMenus.h"

void TKsMenuPopupProperties::SetPopupOptions(const TKsMenuPopupOptions& options)
{
    options_ = options;
    PushPopupOptions();
}

void TKsMenuPopupProperties::PushPopupOptions() { ApplyPopupOptions(*PopupRoot(), options_); }

void ApplyPopupOptions(TKsCustomItem& root, const TKsMenuPopupOptions& options)
{
    root.SetPopupSettingsTree(
        {options.DropShadow, options.ShadowWidth, options.ShowAnimation, options.ShowAnimationTime});
    root.SetPopupBlend(options.PopupBlend);
    root.SetPopupBlendValue(options.PopupBlendValue);
}
