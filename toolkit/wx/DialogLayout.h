// Makes a dialog resizable within limits and re-arranges its box layout on every size change.
#pragma once

#include <memory>

#include <wx/toplevel.h>

#include "toolkit/dialogrules/DialogSizing.h"
#include "toolkit/dialogrules/Layout.h"
#include "toolkit/wx/WxLayoutHost.h"

namespace Zenlo {
class ZnSizeGrip;

// The resizing part of a dialog built at run time: the size grip, the minimum and maximum
// window sizes, and the top layout that it owns and arranges on every size change.
class ZnDialogLayout {
public:
    ZnDialogLayout() = default;
    virtual ~ZnDialogLayout();
    ZnDialogLayout(const ZnDialogLayout&) = delete;
    ZnDialogLayout& operator=(const ZnDialogLayout&) = delete;

    // Starts managing the dialog: optionally adds the size grip (which makes the frame
    // resizable) and, when asked, takes the window's current size as the minimum.
    void prepareResizing(wxTopLevelWindow& dialog, bool sizeGrip, bool useMinimumTrackSize);
    // The host through which layouts of this dialog reach its controls.
    ZnLayoutHost& layoutHost() { return *host_; }
    // Owns the layout (any old one is destroyed), works out the window size it needs, raises
    // the minimum to it, and arranges it in the current client area.
    void setLayout(std::unique_ptr<ZnLayout> layout);
    // Raises maxima to minima, makes the frame fixed or resizable to match, and clamps the
    // window's size into the limits.
    void applySizeLimits();

    Zenlo::TrackSizes& trackSizes() { return limits_; }
    const Zenlo::Extent& layoutMinimum() const { return layoutMinimum_; }
    bool sizeGripShown() const;

private:
    void onSize(wxSizeEvent& event);
    // Passes the limits to the window system; the minimum only when both values are set.
    void publishSizeHints();

    wxTopLevelWindow* dialog_ = nullptr;
    std::unique_ptr<ZnWxLayoutHost> host_;
    std::unique_ptr<ZnLayout> layout_;
    ZnSizeGrip* grip_ = nullptr;
    Zenlo::TrackSizes limits_;
    Zenlo::Extent layoutMinimum_;
};
} // namespace Zenlo
