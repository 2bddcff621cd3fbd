#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPromise>
#include <QThreadPool>

#include <memory>

// Runs `work` on the thread pool and hands its result to `done` on `context`'s thread. Nothing is
// delivered once `context` is gone.
template <typename Result, typename Work, typename Done>
void runInBackground(QObject* context, Work work, Done done)
{
    auto promise = std::make_shared<QPromise<Result>>();
    auto* watcher = new QFutureWatcher<Result>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context, [watcher, done = std::move(done)]() {
        if (watcher->future().resultCount() > 0)
            done(watcher->result());
        watcher->deleteLater();
    });
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() {
        promise->addResult(work());
        promise->finish();
    });
}
