#include "tamiraresources.h"

#include <QtGlobal>

static void initOnce()
{
    Q_INIT_RESOURCE(tamira);
}

void initTamiraResources()
{
    static const bool done = (initOnce(), true);
    Q_UNUSED(done)
}
