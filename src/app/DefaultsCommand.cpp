#include "DefaultsCommand.h"

#include "core/ports/UserDefaults.h"
#include "platform/xdg/DefaultsJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <optional>

namespace {

constexpr char usage[] = "usage: pellux defaults read [KEY]\n"
                         "       pellux defaults write KEY -bool true|false | -float NUMBER | -string TEXT | "
                         "-array [TEXT...]\n"
                         "       pellux defaults delete KEY\n";

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

QString render(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    const QJsonValue json = DefaultsJson::toJson(value);
    if (json.isArray())
        return QString::fromUtf8(QJsonDocument(json.toArray()).toJson(QJsonDocument::Indented)).trimmed();
    if (json.isObject())
        return QString::fromUtf8(QJsonDocument(json.toObject()).toJson(QJsonDocument::Indented)).trimmed();
    if (json.isBool())
        return json.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return QString::number(json.toDouble(), 'g', 17);
}

int read(const QStringList& args, UserDefaults& defaults, FILE* out, FILE* err)
{
    if (args.size() > 1) {
        print(err, QString::fromLatin1(usage));
        return 2;
    }
    if (args.isEmpty()) {
        QJsonObject domain;
        for (const QString& key : defaults.keys())
            domain.insert(key, DefaultsJson::toJson(defaults.value(key)));
        print(out, QString::fromUtf8(QJsonDocument(domain).toJson(QJsonDocument::Indented)));
        return 0;
    }
    const QVariant value = defaults.value(args.first());
    if (!value.isValid()) {
        print(err, QStringLiteral("pellux defaults: no value for %1\n").arg(args.first()));
        return 1;
    }
    print(out, render(value) + u'\n');
    return 0;
}

std::optional<bool> parseBool(const QString& text)
{
    const QString lower = text.toLower();
    if (lower == u"true" || lower == u"yes" || lower == u"1")
        return true;
    if (lower == u"false" || lower == u"no" || lower == u"0")
        return false;
    return std::nullopt;
}

} // namespace

std::optional<QVariant> parseDefaultsValue(const QString& kind, const QStringList& values, QString& problem)
{
    if (kind == u"-array")
        return QVariant(values);
    if (values.size() != 1) {
        problem = QStringLiteral("%1 takes exactly one value").arg(kind);
        return std::nullopt;
    }
    const QString& text = values.first();
    if (kind == u"-string")
        return QVariant(text);
    if (kind == u"-bool") {
        if (const auto b = parseBool(text))
            return QVariant(*b);
        problem = QStringLiteral("'%1' is not a Boolean (true, false, yes, no, 1, 0)").arg(text);
        return std::nullopt;
    }
    if (kind == u"-float") {
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (ok && std::isfinite(number))
            return QVariant(number);
        problem = QStringLiteral("'%1' is not a number").arg(text);
        return std::nullopt;
    }
    problem = QStringLiteral("unknown value kind '%1'").arg(kind);
    return std::nullopt;
}

namespace {

int write(const QStringList& args, UserDefaults& defaults, FILE* err)
{
    if (args.size() < 2) {
        print(err, QString::fromLatin1(usage));
        return 2;
    }
    QString problem;
    const auto value = parseDefaultsValue(args[1], args.mid(2), problem);
    if (!value) {
        print(err, QStringLiteral("pellux defaults: %1\n").arg(problem) + QString::fromLatin1(usage));
        return 2;
    }
    if (!defaults.setValue(args[0], *value)) {
        print(err, QStringLiteral("pellux defaults: could not save %1\n").arg(args[0]));
        return 1;
    }
    return 0;
}

int remove(const QStringList& args, UserDefaults& defaults, FILE* err)
{
    if (args.size() != 1) {
        print(err, QString::fromLatin1(usage));
        return 2;
    }
    if (!defaults.value(args.first()).isValid()) {
        print(err, QStringLiteral("pellux defaults: no value for %1\n").arg(args.first()));
        return 1;
    }
    if (!defaults.remove(args.first())) {
        print(err, QStringLiteral("pellux defaults: could not save the removal of %1\n").arg(args.first()));
        return 1;
    }
    return 0;
}

} // namespace

int runDefaultsCommand(const QStringList& args, UserDefaults& defaults, FILE* out, FILE* err)
{
    const QString verb = args.value(0);
    const QStringList rest = args.mid(1);
    if (verb == u"read")
        return read(rest, defaults, out, err);
    if (verb == u"write")
        return write(rest, defaults, err);
    if (verb == u"delete")
        return remove(rest, defaults, err);
    print(err, QString::fromLatin1(usage));
    return 2;
}
