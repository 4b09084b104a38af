// The page's access to pwconsole: JSON calls under /api/v1 with the session cookie and the
// CSRF header, the event stream, and errors that carry everything needed to report them.

const kBase = '/api/v1';

// An answer that was not a success, or a request that never got one.
export class ApiError extends Error {
  constructor(method, path, status, code, message) {
    super(message);
    this.method = method;
    this.path = path;
    this.status = status;
    this.code = code;
  }

  // The text a person copies to report the error.
  Details() {
    return `${this.method} ${kBase}${this.path}\nHTTP ${this.status} ${this.code}\n${this.message}`;
  }
}

// One console session of the page. Calls are made in the order they were asked for, so
// that an action and the read that follows it never cross.
export class Api {
  constructor() {
    this.csrf_ = '';
    this.queue_ = Promise.resolve();
    this.onWindows = null;  // called with the windows every POST answers
  }

  // Reads the CSRF value of the cookie session; answers the session ({csrf, language}).
  async Connect() {
    const session = await this.Request('GET', '/session');
    this.csrf_ = session.csrf;
    return session;
  }

  Get(path) {
    return this.Request('GET', path);
  }

  // A state-changing call; the open windows of its answer go to onWindows.
  async Post(path, body = {}) {
    const answer = await this.Request('POST', path, body);
    if (answer && Array.isArray(answer.windows) && this.onWindows) this.onWindows(answer.windows);
    return answer;
  }

  Delete(path) {
    return this.Request('DELETE', path);
  }

  Request(method, path, body) {
    const run = () => this.SendRenewing(method, path, body);
    const result = this.queue_.then(run, run);
    this.queue_ = result.catch(() => {});
    return result;
  }

  // Another tab signing in again renews the session's CSRF value: read it and try once more.
  async SendRenewing(method, path, body) {
    try {
      return await this.Send(method, path, body);
    } catch (error) {
      if (error.status !== 403 || error.code !== 'csrf' || path === '/session') throw error;
      const session = await this.Send('GET', '/session');
      this.csrf_ = session.csrf;
      return this.Send(method, path, body);
    }
  }

  async Send(method, path, body) {
    const headers = {Accept: 'application/json'};
    const init = {method, headers, credentials: 'same-origin', cache: 'no-store'};
    if (method !== 'GET') {
      headers['X-PW-CSRF'] = this.csrf_;
      if (body !== undefined) {
        headers['Content-Type'] = 'application/json';
        init.body = JSON.stringify(body);
      }
    }
    let answer;
    try {
      answer = await fetch(kBase + path, init);
    } catch (error) {
      throw new ApiError(method, path, 0, 'network', String(error.message || error));
    }
    let data = null;
    const text = await answer.text();
    if (text) {
      try {
        data = JSON.parse(text);
      } catch {
        throw new ApiError(method, path, answer.status, 'bad-answer', text.slice(0, 500));
      }
    }
    if (!answer.ok) {
      const error = (data && data.error) || {};
      throw new ApiError(method, path, answer.status, error.code || 'http',
                         error.message || answer.statusText);
    }
    return data;
  }

  // Closes a view when the page goes, without waiting for the answer.
  CloseViewOnExit(view) {
    try {
      fetch(`${kBase}/views/${view}`, {method: 'DELETE', keepalive: true,
                                       credentials: 'same-origin',
                                       headers: {'X-PW-CSRF': this.csrf_}});
    } catch {
      // The page is going; a view left open is closed with the console.
    }
  }

  // Follows the event stream; `handlers` maps event names to functions of the parsed data.
  // `onState(true|false)` tells whether the stream is connected.
  Listen(handlers, onState) {
    const source = new EventSource(`${kBase}/events`);
    for (const [name, handler] of Object.entries(handlers)) {
      source.addEventListener(name, (event) => {
        let data = {};
        try {
          data = JSON.parse(event.data || '{}');
        } catch {
          return;
        }
        handler(data);
      });
    }
    source.onopen = () => onState(true);
    source.onerror = () => onState(false);
    return source;
  }
}
