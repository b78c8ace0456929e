#include "output/ShowFile.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Line and column, from 1, of a byte offset.
QString place(const QByteArray &json, qsizetype offset)
{
    const QByteArray before = json.left(offset);
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QCoreApplication::translate("Messages", "line %1, column %2")
        .arg(before.count('\n') + 1)
        .arg(QString::fromUtf8(before.mid(lineStart)).size() + 1);
}

// Reads the fields of object that fields names, each with its check; refuses any other.
class Fields
{
public:
    Fields(const QJsonObject &object, QString where, QString *error)
        : m_object(object), m_where(std::move(where)), m_error(error)
    {}

    bool only(const QStringList &names)
    {
        for (const QString &key : m_object.keys())
            if (!names.contains(key))
                return fail(QCoreApplication::translate(
                                "Messages", "there is no field \"%1\"; the fields are %2")
                                .arg(key, names.join(QStringLiteral(", "))));
        return true;
    }
    bool number(const QString &name, int low, int high, int *value)
    {
        const QJsonValue field = m_object.value(name);
        if (field.isUndefined())
            return true;
        const double number = field.toDouble(-1);
        if (!field.isDouble() || number != int(number) || number < low || number > high)
            return fail(
                QCoreApplication::translate("Messages", "%1 must be a whole number from %2 to %3")
                    .arg(name)
                    .arg(low)
                    .arg(high));
        *value = int(number);
        return true;
    }
    bool flag(const QString &name, bool *value)
    {
        const QJsonValue field = m_object.value(name);
        if (field.isUndefined())
            return true;
        if (!field.isBool())
            return fail(
                QCoreApplication::translate("Messages", "%1 must be true or false").arg(name));
        *value = field.toBool();
        return true;
    }
    bool text(const QString &name, QString *value)
    {
        const QJsonValue field = m_object.value(name);
        if (!field.isString())
            return fail(QCoreApplication::translate("Messages", "%1 must be a text").arg(name));
        *value = field.toString();
        return true;
    }
    bool fail(const QString &what)
    {
        *m_error = m_where.isEmpty() ? what : m_where + QStringLiteral(": ") + what;
        return false;
    }

private:
    QJsonObject m_object;
    QString m_where;
    QString *m_error;
};

bool readScene(const QJsonValue &value, int number, Scene *scene, QString *error)
{
    Fields fields(value.toObject(), QCoreApplication::translate("Messages", "scene %1").arg(number),
                  error);
    if (!value.isObject())
        return fields.fail(QCoreApplication::translate(
            "Messages", "a scene must be an object with a text and an effect"));
    QString effect;
    if (!fields.only({"text", "effect", "scans", "off", "repeat"}) ||
        !fields.text(QStringLiteral("text"), &scene->text) ||
        !fields.text(QStringLiteral("effect"), &effect))
        return false;
    const qsizetype index = effectNames().indexOf(effect);
    if (index < 0)
        return fields.fail(
            QCoreApplication::translate("Messages", "there is no effect \"%1\"; the effects are %2")
                .arg(effect, effectNames().join(QStringLiteral(", "))));
    scene->effect = Effect(index);
    scene->scans = defaultScans(scene->effect);
    scene->repeat = scene->effect == Effect::Blink ? 3 : 1;
    return fields.number(QStringLiteral("scans"), 1, 65535, &scene->scans) &&
           fields.number(QStringLiteral("off"), 0, 65535, &scene->off) &&
           fields.number(QStringLiteral("repeat"), 1, 255, &scene->repeat);
}

} // namespace

bool readShow(const QByteArray &json, Show *show, QString *error)
{
    // Bytes that are not UTF-8 are a parse error too, with their place.
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError)
        return *error = QCoreApplication::translate("Messages", "not JSON: %1: %2")
                            .arg(place(json, parse.offset), parse.errorString()),
               false;

    Show read;
    Fields fields(document.object(), QString(), error);
    if (!document.isObject())
        return fields.fail(
            QCoreApplication::translate("Messages", "it must hold one object, with its scenes"));
    int version = kShowVersion;
    QString face = QStringLiteral("ming");
    if (!fields.only({"show", "face", "bold", "italic", "brightness", "scenes"}) ||
        !fields.number(QStringLiteral("show"), kShowVersion, kShowVersion, &version) ||
        !fields.flag(QStringLiteral("bold"), &read.bold) ||
        !fields.flag(QStringLiteral("italic"), &read.italic) ||
        !fields.number(QStringLiteral("brightness"), 1, Show::kMaxBrightness, &read.brightness))
        return false;
    if (document.object().contains(QStringLiteral("face")) &&
        !fields.text(QStringLiteral("face"), &face))
        return false;
    if (face == u"ming" || face == kFaceMing)
        read.face = kFaceMing;
    else if (face == u"kai" || face == kFaceKai)
        read.face = kFaceKai;
    else
        return fields.fail(
            QCoreApplication::translate(
                "Messages", "there is no face \"%1\"; the faces are ming, kai, %2 and %3")
                .arg(face, kFaceMing, kFaceKai));
    const QJsonArray scenes = document.object().value(QStringLiteral("scenes")).toArray();
    if (scenes.isEmpty())
        return fields.fail(QCoreApplication::translate("Messages", "it has no scenes"));
    for (qsizetype i = 0; i < scenes.size(); ++i) {
        Scene scene;
        if (!readScene(scenes[i], int(i + 1), &scene, error))
            return false;
        read.scenes.push_back(scene);
    }
    *show = std::move(read);
    return true;
}

QByteArray writeShow(const Show &show)
{
    QJsonArray scenes;
    for (const Scene &scene : show.scenes) {
        QJsonObject object{{"text", scene.text},
                           {"effect", effectNames()[int(scene.effect)]},
                           {"scans", scene.scans},
                           {"repeat", scene.repeat}};
        if (scene.effect == Effect::Blink)
            object.insert(QStringLiteral("off"), scene.off);
        scenes.append(object);
    }
    const QJsonObject object{{"show", kShowVersion},
                             {"face", show.face == kFaceKai ? "kai" : "ming"},
                             {"bold", show.bold},
                             {"italic", show.italic},
                             {"brightness", show.brightness},
                             {"scenes", scenes}};
    return QJsonDocument(object).toJson();
}
