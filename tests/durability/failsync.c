/* Preloaded into a saver: every sync fails as on a network or FUSE folder
   whose disk filled up, with EIO. With VANTIQ_FAILSYNC=folder only the
   folder's sync fails, after the file was written and renamed into place. */
#include <errno.h>
#include <stdlib.h>
#include <string.h>

static int folderOnly(void)
{
    const char *mode = getenv("VANTIQ_FAILSYNC");
    return mode && strcmp(mode, "folder") == 0;
}

int fdatasync(int fd)
{
    (void)fd;
    if (folderOnly())
        return 0; /* the data is written; only its sync is taken as done */
    errno = EIO;
    return -1;
}

int fsync(int fd)
{
    (void)fd;
    errno = EIO;
    return -1;
}
