#include "bootcheck/cmybootcheck.h"

#include <QMutex>
#include <QSemaphore>
#include <QThread>

// What the checking thread shares with the object that started it. `owner` is cleared, under
// the lock, when the object goes; from then on nothing is asked.
struct cMyBootCheck::Shared
{
    QMutex mutex;
    cMyBootCheck *owner = nullptr;
    BootCheck::Seen seen; // the walk's result, written by the thread at its end
};

namespace {

struct Answer
{
    QSemaphore given;
    cMyDialogs::Button button = cMyDialogs::No;
};

// Lets the checking thread go on once the question has been asked, or once Qt has dropped the
// queued question unasked because its receiver was destroyed: either way the call holding the
// last copy of this is destroyed.
struct Release
{
    explicit Release(std::shared_ptr<Answer> a) : answer(std::move(a)) {}
    Release(const Release &) = delete;
    Release &operator=(const Release &) = delete;
    ~Release() { answer->given.release(); }
    std::shared_ptr<Answer> answer;
};

} // namespace

cMyBootCheck::cMyBootCheck(cMyUsb &usb, QObject *dialogParent, QObject *parent)
    : QObject(parent), m_usb(usb), m_dialogParent(dialogParent), m_shared(std::make_shared<Shared>())
{
    m_shared->owner = this;
}

cMyBootCheck::~cMyBootCheck()
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->owner = nullptr;
    // A question already queued to this object is discarded by QObject's destructor, which
    // releases the waiting thread with the answer No.
}

void cMyBootCheck::start()
{
    const std::shared_ptr<Shared> shared = m_shared;
    cMyUsb *usb = &m_usb;
    run([shared, usb] {
        return BootCheck::checkBootDevices(*usb, [shared] {
            auto answer = std::make_shared<Answer>();
            {
                QMutexLocker lock(&shared->mutex);
                cMyBootCheck *owner = shared->owner;
                if (!owner)
                    return cMyDialogs::No;
                auto release = std::make_shared<Release>(answer);
                QMetaObject::invokeMethod(
                    owner,
                    [owner, release] {
                        release->answer->button = BootCheck::askToRestart(owner->m_dialogParent.data());
                    },
                    Qt::QueuedConnection);
            }
            answer->given.acquire();
            return answer->button;
        });
    });
}

void cMyBootCheck::startLook(const BootCheck::Seen &before)
{
    cMyUsb *usb = &m_usb;
    run([usb, before] { return BootCheck::look(*usb, before); });
}

void cMyBootCheck::run(const std::function<BootCheck::Seen()> &walk)
{
    if (m_running)
        return;
    m_running = true;
    const std::shared_ptr<Shared> shared = m_shared;
    QThread *thread = QThread::create([shared, walk] {
        const BootCheck::Seen seen = walk();
        QMutexLocker lock(&shared->mutex);
        shared->seen = seen;
    });
    thread->setObjectName(QStringLiteral("bootcheck"));
    // The thread is not this object's child: it must outlive an abandoned check.
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, [this] {
        {
            QMutexLocker lock(&m_shared->mutex);
            m_seen = m_shared->seen;
        }
        m_running = false;
        emit finished();
    });
    thread->start();
}
