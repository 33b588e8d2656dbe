/* Drops files on the X window under a point as an X11 file manager does, by the XDND protocol
 * (version 5) with the files as a text/uri-list. Run on the Linux side of the test bed:
 *     xdnddrop RESULT X Y URI...
 * X and Y are root-window coordinates; each URI is a file:// URI, already percent-encoded.
 * The outcome is written to the file RESULT when the tool ends (a Windows program that starts a
 * Linux one under Wine gets no process handle to wait on), and is also the exit code: 0 once
 * the target has said it finished, 1 on a usage error or when no window there takes drops, 2
 * when the target did not finish within five seconds. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static Display *display;
static Atom aware, enter, position, status, drop, finished, selection, uriList, actionCopy;

static int IsAware(Window window)
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char *data = NULL;
    if (XGetWindowProperty(display, window, aware, 0, 1, False, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success)
        return 0;
    if (data)
        XFree(data);
    return type != None;
}

/* The deepest window under the point that takes drops: in Wine's virtual desktop each Windows
 * top-level window is an X child of the desktop's window, and both take drops. */
static Window TargetAt(int x, int y)
{
    Window root = DefaultRootWindow(display), window = root, child, found = None;
    int wx, wy;
    while (XTranslateCoordinates(display, root, window, x, y, &wx, &wy, &child) && child) {
        window = child;
        if (IsAware(window))
            found = window;
    }
    return found;
}

static void Send(Window target, Atom type, long l1, long l2, long l3, long l4, Window source)
{
    XEvent e;
    memset(&e, 0, sizeof e);
    e.xclient.type = ClientMessage;
    e.xclient.window = target;
    e.xclient.message_type = type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)source;
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &e);
    XFlush(display);
}

static void Answer(const XSelectionRequestEvent *request, const char *list)
{
    XEvent reply;
    memset(&reply, 0, sizeof reply);
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request->requestor;
    reply.xselection.selection = request->selection;
    reply.xselection.target = request->target;
    reply.xselection.time = request->time;
    reply.xselection.property = None;
    if (request->target == uriList) {
        XChangeProperty(display, request->requestor, request->property, uriList, 8,
                        PropModeReplace, (const unsigned char *)list, (int)strlen(list));
        reply.xselection.property = request->property;
    }
    XSendEvent(display, request->requestor, False, NoEventMask, &reply);
    XFlush(display);
}

/* Drags the listed files to the point; the outcome as the exit code above. */
static int Drag(int x, int y, const char *list)
{
    const Window target = TargetAt(x, y);
    if (target == None)
        return 1;
    const Window source = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1,
                                              0, 0, 0);
    XSetSelectionOwner(display, selection, source, CurrentTime);
    Send(target, enter, 5L << 24, (long)uriList, None, None, source);
    Send(target, position, 0, ((long)x << 16) | y, CurrentTime, (long)actionCopy, source);

    /* The target reads the list when the drag enters, and may again at the drop: answer every
     * request until it says it finished. */
    const time_t deadline = time(NULL) + 5;
    int dropped = 0;
    while (time(NULL) <= deadline) {
        if (!XPending(display)) {
            struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
            poll(&connection, 1, 100);
            continue;
        }
        XEvent e;
        XNextEvent(display, &e);
        if (e.type == SelectionRequest) {
            Answer(&e.xselectionrequest, list);
        } else if (e.type == ClientMessage && e.xclient.message_type == status && !dropped) {
            Send(target, drop, 0, CurrentTime, 0, 0, source);
            dropped = 1;
        } else if (e.type == ClientMessage && e.xclient.message_type == finished) {
            return 0;
        }
    }
    fprintf(stderr, "xdnddrop: no XdndFinished from window 0x%lx\n", (unsigned long)target);
    return 2;
}

int main(int argc, char **argv)
{
    if (argc < 5)
        return 1;
    int outcome = 1;
    if ((display = XOpenDisplay(NULL))) {
        aware = XInternAtom(display, "XdndAware", False);
        enter = XInternAtom(display, "XdndEnter", False);
        position = XInternAtom(display, "XdndPosition", False);
        status = XInternAtom(display, "XdndStatus", False);
        drop = XInternAtom(display, "XdndDrop", False);
        finished = XInternAtom(display, "XdndFinished", False);
        selection = XInternAtom(display, "XdndSelection", False);
        uriList = XInternAtom(display, "text/uri-list", False);
        actionCopy = XInternAtom(display, "XdndActionCopy", False);
        size_t size = 1;
        for (int i = 4; i < argc; ++i)
            size += strlen(argv[i]) + 2;
        char *list = calloc(size, 1);
        for (int i = 4; i < argc; ++i) {
            strcat(list, argv[i]);
            strcat(list, "\r\n");
        }
        outcome = Drag(atoi(argv[2]), atoi(argv[3]), list);
        free(list);
        XCloseDisplay(display);
    }
    FILE *result = fopen(argv[1], "w");
    if (result) {
        fprintf(result, "%d\n", outcome);
        fclose(result);
    }
    return outcome;
}
