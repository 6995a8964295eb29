#include "engine/render/server/OfficeConnection.h"

#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <stdexcept>
#include <thread>

#include "engine/render/server/UnoText.h"

namespace quillmere::engine::render {
namespace {

constexpr std::chrono::milliseconds kRetryStep(100);

}  // namespace

css::uno::Reference<css::uno::XComponentContext> ConnectToOffice(const std::string& pipeName, OfficeProcess& office,
                                                                 std::chrono::milliseconds limit) {
  css::uno::Reference<css::uno::XComponentContext> local = cppu::defaultBootstrap_InitialComponentContext();
  css::uno::Reference<css::bridge::XUnoUrlResolver> resolver = css::bridge::UnoUrlResolver::create(local);
  OUString url = ToUno("uno:pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext");
  auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    try {
      return css::uno::Reference<css::uno::XComponentContext>(resolver->resolve(url), css::uno::UNO_QUERY_THROW);
    } catch (const css::connection::NoConnectException&) {
      // not listening yet
    }
    if (!office.Running()) throw std::runtime_error(office.EndReason() + " before it could be reached");
    if (std::chrono::steady_clock::now() >= deadline)
      throw std::runtime_error("LibreOffice did not answer within " + std::to_string(limit.count() / 1000) + " s");
    std::this_thread::sleep_for(kRetryStep);
  }
}

}  // namespace quillmere::engine::render
