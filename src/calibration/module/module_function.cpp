#include "calibration/module/module_function.h"

#include <memory>
#include <mutex>

#include "calibration/framework/calibration_link.h"
#include "document/configuration_document.h"
#include "protocol/name_hash.h"
#include "text/texts.h"

namespace vantor::gui {

void callFunction(CalibrationLink& link, QObject* receiver, FunctionCall call,
                  std::function<void(const FunctionReply&)> done) {
    auto reply = std::make_shared<FunctionReply>();
    Device& device = link.document().device();
    link.post(
        receiver,
        [&device, call = std::move(call), reply] {
            // No frame of another thread goes out while the port waits with the short time-out.
            const std::lock_guard frame(device.frameLock());
            Sio& port = device.sio();
            const LineTimeouts saved = port.lineTimeouts();
            if (call.readTimeoutMs) {
                LineTimeouts shortened = saved;
                shortened.readTotalConstant = *call.readTimeoutMs;
                port.applyLineTimeouts(shortened);
            }
            reply->ok = device.ExchangeFrame(call.requestBit, hash_name(call.name), call.data, reply->data,
                                             reply->errorText, 0);
            if (call.readTimeoutMs) port.applyLineTimeouts(saved);
            if (reply->ok && reply->data.size() < call.shortestReply) {
                reply->ok = false;
                reply->errorText = Text("IDS_NODECODING_ANSWER");
            }
        },
        [reply, done = std::move(done)] {
            if (done) done(*reply);
        });
}

QString shownText(const std::string& text) { return QString::fromStdString(text).replace("\r\n", "\n"); }

QString keyedText(const char* key) { return QString::fromStdString(TextByKey(key)); }

}  // namespace vantor::gui
