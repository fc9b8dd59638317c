#pragma once
// Setting a control's property and calling one of its public operations by name,
// with the script's arguments converted to the types they take. Each is prepared
// first (every fault found before anything changes), then carried out.
#include "automation/script_parser.h"

#include <QList>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QVariant>
#include <optional>

class QObject;

namespace automation {

struct PreparedProperty {
    QByteArray name;
    QVariant value;
};

// A property declared by the control's class (writable), or a dynamic property it
// already carries. Unknown names are a fault, not a new property.
std::optional<PreparedProperty> prepareProperty(const QObject *target, const QString &name, const script::Token &value,
                                                QString *error);
bool applyProperty(QObject *target, const PreparedProperty &p, QString *error);

struct PreparedCall {
    QMetaMethod method;
    QList<QVariant> args;
};

// A public slot or invokable operation of that name taking as many arguments as
// given; among overloads the first whose arguments all convert.
std::optional<PreparedCall> prepareCall(const QObject *target, const QString &name, const QList<script::Token> &args,
                                        QString *error);
bool invokeCall(QObject *target, const PreparedCall &call, QString *error);

}  // namespace automation
