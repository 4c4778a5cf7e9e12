#include "platform/gtk/gtk_accessible.h"

#include <gtk/gtk-a11y.h>

namespace platform::gtk {

namespace {

constexpr const char* kBridgeKey = "tarvelo-accessible-bridge";
// GTK reports the focus of a widget on the accessible this names, when the
// widget's accessible carries it: what GTK's own composite widgets use to
// say that the focus is on one of their parts.
constexpr const char* kFocusObjectKey = "gail-focus-object";

AccessibleBridge* bridgeOf(GtkWidget* widget) {
    return widget ? static_cast<AccessibleBridge*>(g_object_get_data(G_OBJECT(widget), kBridgeKey)) : nullptr;
}

// ---- The window and its accessible, the frame -----------------------------

struct TarveloMenuWindow {
    GtkWindow parent;
};
struct TarveloMenuWindowClass {
    GtkWindowClass parent_class;
};

struct TarveloMenuFrame {
    GtkWindowAccessible parent;
};
struct TarveloMenuFrameClass {
    GtkWindowAccessibleClass parent_class;
};

G_DEFINE_TYPE(TarveloMenuFrame, tarvelo_menu_frame, GTK_TYPE_WINDOW_ACCESSIBLE)

void tarvelo_menu_frame_init(TarveloMenuFrame*) {}

// The frame is focused itself while the window is active and no entry has
// the focus: a reader then names the window, not the last entry.
AtkStateSet* frameRefStateSet(AtkObject* frame) {
    AtkStateSet* states = ATK_OBJECT_CLASS(tarvelo_menu_frame_parent_class)->ref_state_set(frame);
    const AccessibleBridge* b = bridgeOf(gtk_accessible_get_widget(GTK_ACCESSIBLE(frame)));
    if (states && b && b->windowItselfFocused()) atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    return states;
}

void tarvelo_menu_frame_class_init(TarveloMenuFrameClass* klass) {
    ATK_OBJECT_CLASS(klass)->ref_state_set = frameRefStateSet;
}

G_DEFINE_TYPE(TarveloMenuWindow, tarvelo_menu_window, GTK_TYPE_WINDOW)

void tarvelo_menu_window_init(TarveloMenuWindow*) {}

void tarvelo_menu_window_class_init(TarveloMenuWindowClass* klass) {
    gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(klass), tarvelo_menu_frame_get_type());
}

// ---- The drawing area and its accessible, the panel -----------------------

struct TarveloMenuArea {
    GtkDrawingArea parent;
};
struct TarveloMenuAreaClass {
    GtkDrawingAreaClass parent_class;
};

struct TarveloMenuPanel {
    GtkWidgetAccessible parent;
};
struct TarveloMenuPanelClass {
    GtkWidgetAccessibleClass parent_class;
};

GType tarvelo_menu_panel_get_type();

G_DEFINE_TYPE(TarveloMenuArea, tarvelo_menu_area, GTK_TYPE_DRAWING_AREA)

void tarvelo_menu_area_init(TarveloMenuArea*) {}

void tarvelo_menu_area_class_init(TarveloMenuAreaClass* klass) {
    gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(klass), tarvelo_menu_panel_get_type());
    gtk_widget_class_set_accessible_role(GTK_WIDGET_CLASS(klass), ATK_ROLE_PANEL);
}

AccessibleBridge* panelBridge(gpointer panel) { return bridgeOf(gtk_accessible_get_widget(GTK_ACCESSIBLE(panel))); }

gint panelChildCount(AtkObject* panel) {
    AccessibleBridge* b = panelBridge(panel);
    return b ? b->childCount() : 0;
}

AtkObject* panelRefChild(AtkObject* panel, gint i) {
    AccessibleBridge* b = panelBridge(panel);
    AtkObject* child = b ? b->visibleChild(i) : nullptr;
    return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

AtkObject* panelRefAccessibleAtPoint(AtkComponent* panel, gint x, gint y, AtkCoordType type) {
    AccessibleBridge* b = panelBridge(panel);
    AtkObject* child = b ? b->childAtPoint(x, y, type) : nullptr;
    return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

void tarvelo_menu_panel_component_init(AtkComponentIface* iface) {
    // The rest of the interface stays GtkWidgetAccessible's (the panel's own
    // extents are the widget's).
    iface->ref_accessible_at_point = panelRefAccessibleAtPoint;
}

G_DEFINE_TYPE_WITH_CODE(TarveloMenuPanel, tarvelo_menu_panel, GTK_TYPE_WIDGET_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, tarvelo_menu_panel_component_init))

void tarvelo_menu_panel_init(TarveloMenuPanel*) {}

void tarvelo_menu_panel_class_init(TarveloMenuPanelClass* klass) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_n_children = panelChildCount;
    atk->ref_child = panelRefChild;
}

// ---- The children: texts, and links with an action ------------------------

struct TarveloMenuItem {
    AtkObject parent;
    AccessibleBridge* bridge;  // nullptr once the window is gone
    std::size_t item;          // the control's place in the form's list
    gchar* name;               // the last name handed out
    gchar* description;        // the last description handed out
};
struct TarveloMenuItemClass {
    AtkObjectClass parent_class;
};

struct TarveloMenuLink {
    TarveloMenuItem parent;
};
struct TarveloMenuLinkClass {
    TarveloMenuItemClass parent_class;
};

GType tarvelo_menu_item_get_type();
TarveloMenuItem* asItem(gpointer p) {
    return G_TYPE_CHECK_INSTANCE_CAST(p, tarvelo_menu_item_get_type(), TarveloMenuItem);
}

void itemExtents(AtkComponent* c, gint* x, gint* y, gint* width, gint* height, AtkCoordType type) {
    TarveloMenuItem* self = asItem(c);
    GdkRectangle r{-1, -1, -1, -1};  // what ATK answers for an object that has none
    if (self->bridge) self->bridge->extents(self->item, type, r);
    if (x) *x = r.x;
    if (y) *y = r.y;
    if (width) *width = r.width;
    if (height) *height = r.height;
}

void tarvelo_menu_item_component_init(AtkComponentIface* iface) { iface->get_extents = itemExtents; }

G_DEFINE_TYPE_WITH_CODE(TarveloMenuItem, tarvelo_menu_item, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, tarvelo_menu_item_component_init))

void tarvelo_menu_item_init(TarveloMenuItem* self) {
    self->bridge = nullptr;
    self->item = 0;
    self->name = nullptr;
    self->description = nullptr;
}

const gchar* itemName(AtkObject* o) {
    TarveloMenuItem* self = asItem(o);
    if (!self->bridge) return self->name;  // defunct: the last name known
    g_free(self->name);
    self->name = g_strdup(self->bridge->name(self->item).c_str());
    return self->name;
}

// What an entry does: a reader speaks it after the entry's name.
const gchar* itemDescription(AtkObject* o) {
    TarveloMenuItem* self = asItem(o);
    if (!self->bridge) return self->description;
    g_free(self->description);
    const std::string text = self->bridge->description(self->item);
    self->description = text.empty() ? nullptr : g_strdup(text.c_str());
    return self->description;
}

gint itemIndexInParent(AtkObject* o) {
    TarveloMenuItem* self = asItem(o);
    return self->bridge ? self->bridge->indexInParent(self->item) : -1;
}

AtkStateSet* itemRefStateSet(AtkObject* o) {
    TarveloMenuItem* self = asItem(o);
    AtkStateSet* states = atk_state_set_new();
    if (self->bridge)
        self->bridge->addStates(self->item, states);
    else
        atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
    return states;
}

void itemFinalize(GObject* o) {
    g_free(asItem(o)->name);
    g_free(asItem(o)->description);
    G_OBJECT_CLASS(tarvelo_menu_item_parent_class)->finalize(o);
}

void tarvelo_menu_item_class_init(TarveloMenuItemClass* klass) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = itemName;
    atk->get_description = itemDescription;
    atk->get_index_in_parent = itemIndexInParent;
    atk->ref_state_set = itemRefStateSet;
    G_OBJECT_CLASS(klass)->finalize = itemFinalize;
}

gint linkActionCount(AtkAction*) { return 1; }

gboolean linkDoAction(AtkAction* a, gint i) {
    TarveloMenuItem* self = asItem(a);
    return i == 0 && self->bridge && self->bridge->requestAction(self->item);
}

const gchar* linkActionName(AtkAction*, gint i) { return i == 0 ? "click" : nullptr; }
const gchar* linkActionLocalizedName(AtkAction*, gint i) { return i == 0 ? "Click" : nullptr; }
const gchar* linkActionDescription(AtkAction*, gint i) {
    return i == 0 ? "Does what a click on the entry does" : nullptr;
}
const gchar* linkActionKeyBinding(AtkAction*, gint i) { return i == 0 ? "Return" : nullptr; }

void tarvelo_menu_link_action_init(AtkActionIface* iface) {
    iface->get_n_actions = linkActionCount;
    iface->do_action = linkDoAction;
    iface->get_name = linkActionName;
    iface->get_localized_name = linkActionLocalizedName;
    iface->get_description = linkActionDescription;
    iface->get_keybinding = linkActionKeyBinding;
}

G_DEFINE_TYPE_WITH_CODE(TarveloMenuLink, tarvelo_menu_link, tarvelo_menu_item_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, tarvelo_menu_link_action_init))

void tarvelo_menu_link_init(TarveloMenuLink*) {}
void tarvelo_menu_link_class_init(TarveloMenuLinkClass*) {}

}  // namespace

GtkWidget* menuWindowNew() {
    return GTK_WIDGET(g_object_new(tarvelo_menu_window_get_type(), "type", GTK_WINDOW_TOPLEVEL, nullptr));
}

GtkWidget* menuAreaNew() { return GTK_WIDGET(g_object_new(tarvelo_menu_area_get_type(), nullptr)); }

// ---- The bridge -----------------------------------------------------------

AccessibleBridge::AccessibleBridge(GtkWidget* area, AccessibleHost& host)
    : area_(area), panel_(gtk_widget_get_accessible(area)), host_(host) {
    g_object_ref(panel_);
    g_object_set_data(G_OBJECT(area_), kBridgeKey, this);
    // Whichever goes first, the window or this bridge, the other lets go.
    g_signal_connect_swapped(area_, "destroy", G_CALLBACK(+[](AccessibleBridge* b) { b->detach(); }), this);

    // The window's name is the frame's; the panel inside it names nothing
    // again, so that a reader says it once.
    const forms::Form& form = host_.hostedForm();
    if (GtkWidget* top = gtk_widget_get_toplevel(area_); top && top != area_) {
        window_ = top;
        g_object_set_data(G_OBJECT(window_), kBridgeKey, this);
        frame_ = gtk_widget_get_accessible(window_);
        atk_object_set_name(frame_, form.accessibleName().c_str());
    }

    for (std::size_t i = 0; i < form.accessibleList().size(); ++i) {
        const forms::AccessibleNode& n = form.accessibleList()[i];
        const GType type = n.entry ? tarvelo_menu_link_get_type() : tarvelo_menu_item_get_type();
        AtkObject* o = ATK_OBJECT(g_object_new(type, nullptr));
        TarveloMenuItem* item = asItem(o);
        item->bridge = this;
        item->item = i;
        atk_object_set_role(o, n.role == forms::AccessibleRole::Link ? ATK_ROLE_LINK : ATK_ROLE_LABEL);
        atk_object_set_parent(o, panel_);
        items_.push_back(o);
    }
    focusTarget_ = frame_;
    g_object_set_data(G_OBJECT(panel_), kFocusObjectKey, focusTarget_);
}

AccessibleBridge::~AccessibleBridge() { detach(); }

void AccessibleBridge::detach() {
    if (!area_) return;
    if (idle_) g_source_remove(idle_);
    idle_ = 0;
    queued_.clear();
    g_signal_handlers_disconnect_by_data(area_, this);
    g_object_set_data(G_OBJECT(area_), kBridgeKey, nullptr);
    g_object_set_data(G_OBJECT(panel_), kFocusObjectKey, nullptr);
    if (window_) g_object_set_data(G_OBJECT(window_), kBridgeKey, nullptr);
    area_ = window_ = nullptr;
    frame_ = focusTarget_ = nullptr;
    for (AtkObject* o : items_) {
        itemName(o);  // keep the last name and description for readers that still ask
        itemDescription(o);
        asItem(o)->bridge = nullptr;
        atk_object_notify_state_change(o, ATK_STATE_DEFUNCT, TRUE);
        g_object_unref(o);
    }
    items_.clear();
    g_object_unref(panel_);
    panel_ = nullptr;
}

const forms::AccessibleNode& AccessibleBridge::node(std::size_t item) const {
    return host_.hostedForm().accessibleList()[item];
}

std::size_t AccessibleBridge::itemOf(const forms::Control& c) const {
    const forms::AccessibleNode* n = host_.hostedForm().accessibleNode(c);
    return static_cast<std::size_t>(n - host_.hostedForm().accessibleList().data());
}

bool AccessibleBridge::inTree(std::size_t item) const {
    return host_.hostedForm().inAccessibleTree(*node(item).control);
}

int AccessibleBridge::childCount() const {
    int n = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) n += inTree(i) ? 1 : 0;
    return n;
}

AtkObject* AccessibleBridge::visibleChild(int wanted) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (inTree(i) && wanted-- == 0) return items_[i];
    return nullptr;
}

int AccessibleBridge::placeAmongChildren(std::size_t item) const {
    int before = 0;
    for (std::size_t i = 0; i < item; ++i) before += inTree(i) ? 1 : 0;
    return before;
}

int AccessibleBridge::indexInParent(std::size_t item) const { return inTree(item) ? placeAmongChildren(item) : -1; }

std::string AccessibleBridge::name(std::size_t item) const {
    return host_.hostedForm().accessibleName(*node(item).control);
}

std::string AccessibleBridge::description(std::size_t item) const {
    return host_.hostedForm().accessibleDescription(*node(item).control);
}

void AccessibleBridge::addStates(std::size_t item, AtkStateSet* states) const {
    const forms::AccessibleNode& n = node(item);
    // An entry is unavailable while its action would be refused (a message
    // box is open): GTK's AT-SPI bridge answers every action request with
    // success before passing it on, so the state is what tells a reader.
    if (!n.entry || host_.hostedForm().accessibleActionAvailable(*n.control)) {
        atk_state_set_add_state(states, ATK_STATE_ENABLED);
        atk_state_set_add_state(states, ATK_STATE_SENSITIVE);
    }
    if (inTree(item)) {
        atk_state_set_add_state(states, ATK_STATE_VISIBLE);
        if (area_ && gtk_widget_get_mapped(area_)) atk_state_set_add_state(states, ATK_STATE_SHOWING);
    }
    if (n.entry) {
        atk_state_set_add_state(states, ATK_STATE_FOCUSABLE);
        if (host_.hostedForm().focused() == n.control && windowActive())
            atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    }
    if (n.role == forms::AccessibleRole::StaticText) atk_state_set_add_state(states, ATK_STATE_MULTI_LINE);
}

bool AccessibleBridge::areaOrigin(AtkCoordType type, int& x, int& y) const {
    x = y = 0;
    GdkWindow* window = area_ ? gtk_widget_get_window(area_) : nullptr;
    if (!window) return false;
    switch (type) {
        case ATK_XY_SCREEN: gdk_window_get_origin(window, &x, &y); return true;
        case ATK_XY_WINDOW:
            return gtk_widget_translate_coordinates(area_, gtk_widget_get_toplevel(area_), 0, 0, &x, &y);
        case ATK_XY_PARENT: return true;  // the panel is the area itself
    }
    return false;
}

bool AccessibleBridge::extents(std::size_t item, AtkCoordType type, GdkRectangle& out) const {
    const forms::AccessibleNode& n = node(item);
    int x, y;
    if (!inTree(item) || !areaOrigin(type, x, y)) return false;
    out = host_.toArea(host_.hostedForm().accessibleBox(*n.control));
    out.x += x;
    out.y += y;
    return true;
}

AtkObject* AccessibleBridge::childAtPoint(int x, int y, AtkCoordType type) const {
    int ox, oy;
    if (!areaOrigin(type, ox, oy)) return nullptr;
    const forms::Control* c = host_.hostedForm().accessibleAt(host_.toClient(x - ox, y - oy));
    return c ? items_[itemOf(*c)] : nullptr;
}

bool AccessibleBridge::requestAction(std::size_t item) {
    if (!host_.hostedForm().accessibleActionAvailable(*node(item).control)) return false;
    queued_.push_back(item);
    if (!idle_) idle_ = g_idle_add(runQueued, this);
    return true;
}

gboolean AccessibleBridge::runQueued(gpointer p) {
    auto* self = static_cast<AccessibleBridge*>(p);
    self->idle_ = 0;
    // An action may end the window (EXIT), which detaches the bridge.
    while (self->area_ && !self->queued_.empty()) {
        const forms::Control& c = *self->node(self->queued_.front()).control;
        self->queued_.pop_front();
        self->host_.runDefaultAction(c);
    }
    return G_SOURCE_REMOVE;
}

bool AccessibleBridge::windowActive() const {
    GtkWindow* window = window_ ? GTK_WINDOW(window_) : nullptr;
    return window && gtk_window_is_active(window) && gtk_window_has_toplevel_focus(window);
}

bool AccessibleBridge::windowItselfFocused() const {
    return area_ && !host_.hostedForm().focused() && windowActive();
}

// The focus moves to an entry, or to the window itself. GTK reports the
// area's own focus (when the window becomes active again, as after a
// message box) on what has it, as one focus event; while another window is
// active nothing here claims the focus.
void AccessibleBridge::focusChanged(const forms::Control* entry) {
    if (!area_) return;
    AtkObject* before = focusTarget_;
    focusTarget_ = entry ? items_[itemOf(*entry)] : frame_;
    g_object_set_data(G_OBJECT(panel_), kFocusObjectKey, focusTarget_);
    if (before == focusTarget_ || !windowActive()) return;
    if (before) atk_object_notify_state_change(before, ATK_STATE_FOCUSED, FALSE);
    if (focusTarget_) atk_object_notify_state_change(focusTarget_, ATK_STATE_FOCUSED, TRUE);
}

void AccessibleBridge::nameChanged(const forms::Control& child) {
    if (area_) g_object_notify(G_OBJECT(items_[itemOf(child)]), "accessible-name");
}

void AccessibleBridge::visibilityChanged(const forms::Control& child, bool visible) {
    if (!area_) return;
    const std::size_t item = itemOf(child);
    AtkObject* o = items_[item];
    const int at = placeAmongChildren(item);  // before it left, or now it came
    g_signal_emit_by_name(panel_, visible ? "children-changed::add" : "children-changed::remove", at, o);
    atk_object_notify_state_change(o, ATK_STATE_VISIBLE, visible);
    atk_object_notify_state_change(o, ATK_STATE_SHOWING, visible && gtk_widget_get_mapped(area_));
}

}  // namespace platform::gtk
