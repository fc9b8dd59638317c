#include "automation/object_access.h"

#include "automation/value_convert.h"

#include <QObject>
#include <QStringList>

namespace automation {

std::optional<PreparedProperty> prepareProperty(const QObject *target, const QString &name, const script::Token &value,
                                                QString *error) {
    const QByteArray key = name.toUtf8();
    const QMetaObject *meta = target->metaObject();
    const int index = meta->indexOfProperty(key.constData());
    QString why;
    if (index >= 0) {
        const QMetaProperty prop = meta->property(index);
        if (!prop.isWritable()) {
            if (error) *error = QStringLiteral("property %1 cannot be set").arg(name);
            return std::nullopt;
        }
        const auto v = script::convertArgument(value, prop.metaType(), &why);
        if (!v) {
            if (error) *error = QStringLiteral("property %1: %2").arg(name, why);
            return std::nullopt;
        }
        return PreparedProperty{key, *v};
    }
    if (target->dynamicPropertyNames().contains(key)) return PreparedProperty{key, script::naturalValue(value)};
    if (error) *error = QStringLiteral("no property %1").arg(name);
    return std::nullopt;
}

bool applyProperty(QObject *target, const PreparedProperty &p, QString *error) {
    const QMetaObject *meta = target->metaObject();
    const int index = meta->indexOfProperty(p.name.constData());
    const bool ok = index >= 0 ? meta->property(index).write(target, p.value) : (target->setProperty(p.name.constData(), p.value), true);
    if (!ok && error) *error = QStringLiteral("property %1 did not take the value").arg(QString::fromUtf8(p.name));
    return ok;
}

std::optional<PreparedCall> prepareCall(const QObject *target, const QString &name, const QList<script::Token> &args,
                                        QString *error) {
    const QMetaObject *meta = target->metaObject();
    const QByteArray key = name.toUtf8();
    bool nameSeen = false;
    QString firstWhy;
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.name() != key) continue;
        if (m.methodType() != QMetaMethod::Slot && m.methodType() != QMetaMethod::Method) continue;
        if (m.access() != QMetaMethod::Public) continue;
        nameSeen = true;
        if (m.parameterCount() != args.size()) continue;
        PreparedCall call{m, {}};
        bool ok = true;
        for (int a = 0; a < args.size() && ok; ++a) {
            QString why;
            const auto v = script::convertArgument(args.at(a), m.parameterMetaType(a), &why);
            if (!v) {
                ok = false;
                if (firstWhy.isEmpty()) firstWhy = QStringLiteral("argument %1 of %2: %3").arg(a + 1).arg(name, why);
            } else {
                call.args.append(*v);
            }
        }
        if (ok) return call;
    }
    if (error) {
        if (!firstWhy.isEmpty()) *error = firstWhy;
        else if (nameSeen) *error = QStringLiteral("operation %1 does not take %2 arguments").arg(name).arg(args.size());
        else *error = QStringLiteral("no operation %1").arg(name);
    }
    return std::nullopt;
}

bool invokeCall(QObject *target, const PreparedCall &call, QString *error) {
    QGenericArgument a[10];
    QList<QByteArray> typeNames = call.method.parameterTypes();
    for (int i = 0; i < call.args.size() && i < 10; ++i)
        a[i] = QGenericArgument(typeNames.at(i).constData(), call.args.at(i).constData());
    // The result, if any, is received and dropped: a script has nowhere to keep it.
    QVariant result;
    QGenericReturnArgument ret;
    if (call.method.returnMetaType().isValid() && call.method.returnMetaType().id() != QMetaType::Void) {
        result = QVariant(call.method.returnMetaType());
        ret = QGenericReturnArgument(call.method.typeName(), result.data());
    }
    const bool ok = call.method.invoke(target, Qt::DirectConnection, ret, a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7],
                                       a[8], a[9]);
    if (!ok && error) *error = QStringLiteral("operation %1 could not be called").arg(QString::fromLatin1(call.method.name()));
    return ok;
}

}  // namespace automation
