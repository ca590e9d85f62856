// A Qt generic plugin for the start-up benchmark. When the first top-level window of the
// application is exposed, it starts a zero-interval timer; Qt runs such a timer once the events
// waiting in the queue have been handled, that is when the window is shown and the program
// idle. The timer writes the window's title and a line feed to the file descriptor named by
// ZM_IDLE_PROBE_FD (the launcher's clock stops there, and it shows which window was measured)
// and quits the application, which then ends as it normally does.
#include <unistd.h>
#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>
#include <QWindow>

namespace {

class IdleProbe : public QObject {
public:
    explicit IdleProbe(int fd) : m_fd(fd) {
        m_timer.setSingleShot(true);
        m_timer.setInterval(0);
        connect(&m_timer, &QTimer::timeout, this, &IdleProbe::report);
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isTopLevel() && window->isVisible()) {
                m_seen = true;
                m_title = window->title().toUtf8() + '\n';
                m_timer.start();
            }
        }
        return false;
    }

private:
    void report() {
        QCoreApplication::instance()->removeEventFilter(this);
        if (m_fd >= 0) {
            [[maybe_unused]] const ssize_t written =
                ::write(m_fd, m_title.constData(), static_cast<size_t>(m_title.size()));
            ::close(m_fd);
            m_fd = -1;
        }
        QCoreApplication::quit();
    }

    int m_fd;
    bool m_seen = false;
    QByteArray m_title;
    QTimer m_timer;
};

}  // namespace

class IdleProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "idle_probe.json")
public:
    QObject* create(const QString& key, const QString& /*parameters*/) override {
        if (key.compare(QLatin1String("zmidleprobe"), Qt::CaseInsensitive) != 0) {
            return nullptr;
        }
        bool ok = false;
        const int fd = qEnvironmentVariableIntValue("ZM_IDLE_PROBE_FD", &ok);
        return new IdleProbe(ok ? fd : -1);
    }
};

#include "idle_probe_plugin.moc"
