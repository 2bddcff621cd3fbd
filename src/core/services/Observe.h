#pragma once

#include <QObject>

#include <utility>

// Hands `reaction` the current value now and every assigned value after, for as long as
// `context` lives.
template <typename Owner, typename Getter, typename Signal, typename Reaction>
QMetaObject::Connection observe(Owner* owner, Getter getter, Signal changed, const QObject* context,
                                Reaction reaction)
{
    reaction((owner->*getter)());
    return QObject::connect(owner, changed, context, std::move(reaction));
}
