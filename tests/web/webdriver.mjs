// A small client of classic W3C WebDriver over HTTP (the commands the browser tests use), for a
// driver such as WebKitWebDriver that speaks nothing newer.

// What WebDriver calls a reference to an element in its answers.
const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';

// The driver's key codes for the key names the tests press.
const KEYS = {Enter: '\uE007', Escape: '\uE00C', F1: '\uE031', F2: '\uE032'};

export class WebDriverSession {
  constructor(server, id) {
    this.server = server;
    this.id = id;
  }

  // A new session on the driver at SERVER (http://host:port) with the capabilities it must match.
  static async start(server, capabilities) {
    const value = await send(server, 'POST', '/session', {capabilities: {alwaysMatch: capabilities}});
    return new WebDriverSession(server, value.sessionId);
  }

  command(method, path, body) {
    return send(this.server, method, `/session/${this.id}${path}`, body);
  }

  async end() {
    await this.command('DELETE', '');
  }

  navigate(url) {
    return this.command('POST', '/url', {url});
  }

  setTimeouts(timeouts) {
    return this.command('POST', '/timeouts', timeouts);
  }

  setWindowRect(rect) {
    return this.command('POST', '/window/rect', rect);
  }

  // FN's value in the page, FN called with ARGS (plain data or element references); a promise FN
  // returns is waited for. An element in the value comes back as {element: ID}.
  async evaluate(fn, ...args) {
    const script =
      'var done = arguments[arguments.length - 1];' +
      'var args = Array.prototype.slice.call(arguments, 0, -1);' +
      `Promise.resolve().then(function () { return (${fn}).apply(null, args); }).then(` +
      'function (value) { done({value: value === undefined ? null : value}); },' +
      'function (error) { done({error: String((error && error.stack) || error)}); });';
    const answer = await this.command('POST', '/execute/async', {script, args: args.map(toWire)});
    if (answer.error) throw new Error(`in the page: ${answer.error}`);
    return fromWire(answer.value);
  }

  // One finger down and up at (x, y), CSS pixels from the viewport's top left.
  async tap(x, y) {
    const at = {x: Math.round(x), y: Math.round(y), origin: 'viewport'};
    await this.command('POST', '/actions', {
      actions: [{type: 'pointer', id: 'finger', parameters: {pointerType: 'touch'},
                 actions: [{type: 'pointerMove', duration: 0, ...at}, {type: 'pointerDown', button: 0},
                           {type: 'pointerUp', button: 0}]}],
    });
  }

  async press(name) {
    const value = KEYS[name] || name;
    await this.command('POST', '/actions', {
      actions: [{type: 'key', id: 'keyboard', actions: [{type: 'keyDown', value}, {type: 'keyUp', value}]}],
    });
  }

  // A click on the element (a mouse's, as WebDriver's Element Click gives it).
  async click(element) {
    await this.command('POST', `/element/${element.element}/click`, {});
  }

  // The files at PATHS (one a line) as the file input's choice, as WebDriver's Element Send Keys
  // gives a file input its files.
  async sendFiles(element, paths) {
    await this.command('POST', `/element/${element.element}/value`, {text: paths.join('\n')});
  }
}

function toWire(value) {
  return value && typeof value === 'object' && typeof value.element === 'string' ? {[ELEMENT]: value.element} : value;
}

function fromWire(value) {
  if (Array.isArray(value)) return value.map(fromWire);
  if (value && typeof value === 'object') {
    if (typeof value[ELEMENT] === 'string') return {element: value[ELEMENT]};
    return Object.fromEntries(Object.entries(value).map(([key, inner]) => [key, fromWire(inner)]));
  }
  return value;
}

// One command: its value, or an Error with the driver's error and message.
async function send(server, method, path, body) {
  const response = await fetch(server + path, {
    method,
    headers: body === undefined ? {} : {'Content-Type': 'application/json; charset=utf-8'},
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  const text = await response.text();
  let answer;
  try {
    answer = JSON.parse(text);
  } catch {
    throw new Error(`WebDriver ${method} ${path}: ${response.status} ${text.slice(0, 200)}`);
  }
  const value = answer.value;
  if (!response.ok) {
    throw new Error(`WebDriver ${method} ${path}: ${value && value.error}: ${value && value.message}`);
  }
  return value;
}
