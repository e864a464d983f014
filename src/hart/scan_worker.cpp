#include "hart/scan_worker.h"

#include <QNetworkDatagram>
#include <QThread>
#include <QTimer>
#include <QUdpSocket>

namespace hart {

Scan_Worker::Scan_Worker(const lang::String_Table& texts, const Scan_Options& options)
    : engine_(texts), options_(options) {
    engine_.Send = [this](const QByteArray& request) { Send(request); };
    engine_.Show_Status = [this](const QString& text) { Q_EMIT Status_Changed(text); };
    engine_.Reading_Record = [this](int index, int count) { Q_EMIT Record_Progress(index, count); };
    engine_.Finished = [this](bool success) { Finished(success); };
}

Scan_Worker::~Scan_Worker() = default;

void Scan_Worker::Open() {
    socket_ = new QUdpSocket(this);
    socket_->bind(QHostAddress::AnyIPv4, 0);
    connect(socket_, &QUdpSocket::readyRead, this, &Scan_Worker::Read_Datagrams);
    timer_ = new QTimer(this);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, [this] { engine_.Tick(); });
    timer_->start(options_.tick_ms);
}

void Scan_Worker::HART_Discovery(const QString& ip_address, const QString& num_devs) {
    // An address that does not parse stays null: nothing is sent, nothing answers, and the
    // scan ends by its timeouts like one towards a converter that is not there.
    converter_ = QHostAddress(ip_address);
    engine_.HART_Discovery(num_devs);
}

void Scan_Worker::Read_Datagrams() {
    while (socket_->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket_->receiveDatagram();
        const bool from_converter =
            !converter_.isNull() &&
            datagram.senderAddress().isEqual(converter_, QHostAddress::TolerantConversion);
        if (from_converter)
            engine_.Datagram(datagram.data());
    }
}

void Scan_Worker::Send(const QByteArray& request) {
    if (!converter_.isNull())
        socket_->writeDatagram(request, converter_, options_.port);
}

void Scan_Worker::Finished(bool success) {
    if (!success) {
        Q_EMIT Scan_Failed();
        return;
    }
    const int count = engine_.Num_Devices();
    const QList<Device_Record> records(engine_.Devices().begin(),
                                       engine_.Devices().begin() + count);
    Q_EMIT Scan_Succeeded(records, count);
}

Scan_Thread::Scan_Thread(const lang::String_Table& texts, const Scan_Options& options,
                         QObject* parent)
    : QObject(parent), thread_(new QThread), worker_(new Scan_Worker(texts, options)) {
    qRegisterMetaType<QList<hart::Device_Record>>();
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::started, worker_, &Scan_Worker::Open);
    // The worker, its socket and its timer die on their own thread once its loop has ended.
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    connect(worker_, &Scan_Worker::Status_Changed, this, &Scan_Thread::Status_Changed);
    connect(worker_, &Scan_Worker::Record_Progress, this, &Scan_Thread::Record_Progress);
    connect(worker_, &Scan_Worker::Scan_Succeeded, this, &Scan_Thread::Scan_Succeeded);
    connect(worker_, &Scan_Worker::Scan_Failed, this, &Scan_Thread::Scan_Failed);
    thread_->start();
}

Scan_Thread::~Scan_Thread() {
    thread_->quit();
    thread_->wait();
    delete thread_;
}

void Scan_Thread::HART_Discovery(const QString& ip_address, const QString& num_devs) {
    QMetaObject::invokeMethod(
        worker_,
        [worker = worker_, ip_address, num_devs] { worker->HART_Discovery(ip_address, num_devs); },
        Qt::QueuedConnection);
}

} // namespace hart
