#include "platform/hosts/web/web_saver_host.h"

WebSaverHost::WebSaverHost(const ProjectDescription& project)
    : picture_(*project.startupForm)
    , window_(picture_, clock_)
    , saver_(project, picture_, {window_, errors_, clock_}, SaverRunner::kDefaultChange)
{
    window_.reportTo(saver_);
}

int WebSaverHost::run()
{
    window_.startWhenSized();
    return 0;
}
