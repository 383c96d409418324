#include "dialog_template.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kestrova::dialog {

namespace {

bool KindFromName(const QString& name, ControlKind& kind) {
    static const std::pair<const char*, ControlKind> kinds[] = {
        {"static", ControlKind::Static},     {"group", ControlKind::GroupBox},
        {"button", ControlKind::PushButton}, {"check", ControlKind::CheckBox},
        {"combo", ControlKind::Combo},       {"edit", ControlKind::Edit},
        {"slider", ControlKind::Slider},     {"tab", ControlKind::TabControl},
        {"swatch", ControlKind::Swatch}};
    for (const auto& [text, value] : kinds) {
        if (name == QLatin1String(text)) {
            kind = value;
            return true;
        }
    }
    return false;
}

QRect RectFrom(const QJsonArray& values) {
    return QRect(values.at(0).toInt(), values.at(1).toInt(), values.at(2).toInt(), values.at(3).toInt());
}

}  // namespace

DialogTemplate LoadDialogTemplate(int id) {
    QFile file(QStringLiteral(":/templates/%1.json").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    DialogTemplate result;
    result.id = root.value("id").toInt();
    result.caption = root.value("caption").toString();
    const QJsonArray size = root.value("size").toArray();
    result.size = QSize(size.at(0).toInt(), size.at(1).toInt());
    for (const QJsonValue& value : root.value("controls").toArray()) {
        const QJsonObject object = value.toObject();
        ControlTemplate control;
        if (!KindFromName(object.value("kind").toString(), control.kind)) {
            return {};
        }
        control.id = object.value("id").toInt(-1);
        control.caption = object.value("text").toString();
        for (const QJsonValue& item : object.value("items").toArray()) {
            control.items << item.toString();
        }
        control.rect = RectFrom(object.value("rect").toArray());
        control.hidden = object.value("hidden").toBool();
        control.centred = object.value("centred").toBool();
        control.bordered = object.value("bordered").toBool();
        result.controls.push_back(control);
    }
    return result;
}

}  // namespace kestrova::dialog
