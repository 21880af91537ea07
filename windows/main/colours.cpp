#include "windows/main/colours.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QStyle>
#include <QVariant>

namespace qv {

namespace {

ColourScheme g_scheme = ColourScheme::Desktop;

bool isDark(const QPalette& p) {
    return p.color(QPalette::Window).lightness() < 128;
}

// The palette the desktop gave, taken before the program sets one.
const QPalette& desktopPalette() {
    static const QPalette p = QApplication::palette();
    return p;
}

// org.freedesktop.appearance color-scheme: 1 prefers dark, 2 light, 0 no
// preference. A desktop without the portal answers at once with an error.
int portalColourScheme() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return 0;
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop",
                                                       "/org/freedesktop/portal/desktop",
                                                       "org.freedesktop.portal.Settings", "Read");
    call << QString("org.freedesktop.appearance") << QString("color-scheme");
    const QDBusMessage reply = bus.call(call, QDBus::Block, 300);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return 0;
    QVariant v = reply.arguments().front();
    // The value comes wrapped once or twice in a variant.
    while (v.canConvert<QDBusVariant>() && v.userType() == qMetaTypeId<QDBusVariant>())
        v = v.value<QDBusVariant>().variant();
    return v.toInt();
}

} // namespace

bool desktopPrefersDark() {
    if (isDark(desktopPalette())) return true;
    if (qEnvironmentVariable("GTK_THEME").endsWith(":dark", Qt::CaseInsensitive)) return true;
    return portalColourScheme() == 1;
}

QPalette darkPalette() {
    QPalette p;
    const QColor window(45, 45, 48), base(30, 30, 32), text(220, 220, 220);
    const QColor dim(120, 120, 120);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, dim);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    // Qt's default link blue is all but invisible on a dark window.
    p.setColor(QPalette::Link, QColor(110, 180, 255));
    p.setColor(QPalette::LinkVisited, QColor(190, 150, 255));
    p.setColor(QPalette::Light, QColor(75, 75, 80));
    p.setColor(QPalette::Midlight, QColor(60, 60, 64));
    p.setColor(QPalette::Mid, QColor(90, 90, 95));
    p.setColor(QPalette::Dark, QColor(20, 20, 22));
    p.setColor(QPalette::Shadow, Qt::black);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        p.setColor(QPalette::Disabled, role, dim);
    return p;
}

void applyColourScheme(ColourScheme scheme) {
    const QPalette& desktop = desktopPalette();
    g_scheme = scheme;
    const bool dark =
        scheme == ColourScheme::Dark || (scheme == ColourScheme::Desktop && desktopPrefersDark());
    QPalette p;
    if (dark == isDark(desktop))
        p = desktop;
    else if (dark)
        p = darkPalette();
    else
        p = QApplication::style()->standardPalette();
    if (dark && isDark(desktop)) {
        // A dark desktop palette may keep the light default link colour.
        const QColor link = p.color(QPalette::Link);
        if (link.lightness() < 110) p.setColor(QPalette::Link, darkPalette().color(QPalette::Link));
    }
    QApplication::setPalette(p);
}

ColourScheme colourScheme() {
    return g_scheme;
}

bool darkColoursShown() {
    return isDark(QApplication::palette());
}

} // namespace qv
