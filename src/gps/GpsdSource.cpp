// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/GpsdSource.h"

#include <gps.h>

#include <QSocketNotifier>
#include <QTimeZone>
#include <QTimer>
#include <cmath>
#include <cstring>

// Lives on the source's thread: connects, watches the socket, parses, and
// reconnects when the daemon goes away.
class GpsdWorker : public QObject {
    Q_OBJECT
public:
    GpsdWorker(QByteArray h, QByteArray p) : host(std::move(h)), port(std::move(p)) {
        retry = new QTimer(this);
        retry->setSingleShot(true);
        retry->setInterval(CGpsdSource::kRetryMs);
        connect(retry, &QTimer::timeout, this, &GpsdWorker::Open);
    }
    ~GpsdWorker() override { Close(); }

    void Begin() { Open(); }
    void End() {
        retry->stop();
        Close();
    }

signals:
    void fix(const GpsFix& fix);
    void state(CPositionSource::State state);

private:
    void Open() {
        std::memset(&data, 0, sizeof data);
        if (gps_open(host.constData(), port.constData(), &data) != 0) {
            emit state(wasConnected ? CPositionSource::State::Lost
                                    : CPositionSource::State::Connecting);
            retry->start();
            return;
        }
        open = true;
        wasConnected = true;
        gps_stream(&data, WATCH_ENABLE | WATCH_JSON, nullptr);
        notifier =
            new QSocketNotifier(static_cast<qintptr>(data.gps_fd), QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &GpsdWorker::Read);
        emit state(CPositionSource::State::NoData);
    }

    void Close() {
        delete notifier;
        notifier = nullptr;
        if (open) {
            gps_stream(&data, WATCH_DISABLE, nullptr);
            gps_close(&data);
        }
        open = false;
    }

    void Read() {
        // Everything the socket holds now, one report at a time.
        do {
            data.set = 0;
            if (gps_read(&data, nullptr, 0) < 0) {
                Close();
                emit state(CPositionSource::State::Lost);
                retry->start();
                return;
            }
            if (data.set & MODE_SET) Report();
        } while (gps_waiting(&data, 0));
    }

    void Report() {
        GpsFix f;
        const gps_fix_t& g = data.fix;
        if (g.time.tv_sec > 0)
            f.time = QDateTime::fromMSecsSinceEpoch(
                qint64(g.time.tv_sec) * 1000 + g.time.tv_nsec / 1000000, QTimeZone::utc());
        if (g.mode >= MODE_2D && (data.set & LATLON_SET || std::isfinite(g.latitude))) {
            f.lat = g.latitude;
            f.lon = g.longitude;
            f.quality = g.mode >= MODE_3D ? GpsFix::Fix3D : GpsFix::Fix2D;
            if (g.mode >= MODE_3D && std::isfinite(g.altMSL)) f.elevation = g.altMSL;
            if (std::isfinite(g.speed)) f.speed = g.speed;
            if (std::isfinite(g.track)) f.heading = g.track;
        }
        if (!f.HasPosition()) f.quality = GpsFix::NoFix;
        emit state(f.HasPosition() ? CPositionSource::State::Fix : CPositionSource::State::NoFix);
        emit fix(f);
    }

    QByteArray host, port;
    gps_data_t data{};
    bool open = false;
    bool wasConnected = false;
    QSocketNotifier* notifier = nullptr;
    QTimer* retry = nullptr;
};

CGpsdSource::CGpsdSource(QString h, quint16 p, QObject* parent)
    : CPositionSource(parent), host(std::move(h)), port(p) {
    qRegisterMetaType<GpsFix>();
    qRegisterMetaType<CPositionSource::State>();
}

CGpsdSource::~CGpsdSource() {
    Stop();
}

QString CGpsdSource::Name() const {
    return QString("%1:%2").arg(host.contains(':') ? '[' + host + ']' : host).arg(port);
}

void CGpsdSource::Start() {
    if (worker) return;
    worker = new GpsdWorker(host.toUtf8(), QByteArray::number(port));
    thread = new QThread;
    worker->moveToThread(thread);
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(worker, &GpsdWorker::fix, this, &CPositionSource::fixReceived);
    connect(worker, &GpsdWorker::state, this, [this](State s) {
        if (worker) SetState(s);
    });
    SetState(State::Connecting);
    thread->start();
    QMetaObject::invokeMethod(worker, &GpsdWorker::Begin, Qt::QueuedConnection);
}

void CGpsdSource::Stop() {
    if (worker) {
        // Never waits: a remote daemon that does not answer keeps the
        // worker in its connect call for as long as TCP tries, and the
        // window must not wait for that. The worker closes the link, then
        // it and its thread delete themselves.
        disconnect(worker, nullptr, this, nullptr);
        QMetaObject::invokeMethod(worker, &GpsdWorker::End, Qt::QueuedConnection);
        worker = nullptr;
        thread->quit();
        thread = nullptr;
    }
    SetState(State::Stopped);
}

bool CGpsdSource::ParseAddress(const QString& text, QString& h, quint16& p) {
    QString t = text.trimmed();
    h = kDefaultHost;
    p = kDefaultPort;
    QString portText;
    if (t.startsWith('[')) {
        const int close = t.indexOf(']');
        if (close < 0) return false;
        if (close > 1) h = t.mid(1, close - 1);
        const QString rest = t.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(':')) return false;
            portText = rest.mid(1);
        }
    } else if (t.count(':') == 1) {
        const int colon = t.indexOf(':');
        if (colon > 0) h = t.left(colon);
        portText = t.mid(colon + 1);
    } else if (t.count(':') > 1) {
        h = t;  // a bare IPv6 address
    } else if (!t.isEmpty()) {
        h = t;
    }
    if (!portText.isEmpty()) {
        bool ok = false;
        const uint n = portText.toUInt(&ok);
        if (!ok || n == 0 || n > 65535) return false;
        p = static_cast<quint16>(n);
    }
    return true;
}

#include "GpsdSource.moc"
